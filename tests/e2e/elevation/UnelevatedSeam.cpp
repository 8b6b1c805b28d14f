// Linked into a build of setup.exe for the tests only: it takes itself for a run without the
// administrators' rights (wine runs every program elevated), so that the tests see the branch an
// ordinary user's run takes. Its elevation is refused at the prompt, or, when the variable
// SETUP_TEST_ELEVATION says "accept", is the program elevated.exe beside it (the shipped one,
// elevated under wine) run with the same arguments.
#include <windows.h>

#include <cstring>

#include "app/Elevation.h"
#include "fsutil/MediaFolder.h"

namespace {

class Unelevated final : public Elevation {
public:
    bool Elevated() override { return false; }

    Result<DWORD> RunElevated(const std::string& arguments) override {
        // The program has no C start-up code, so it asks the platform, not the C library.
        char answer[16] = "";
        const DWORD length = GetEnvironmentVariableA("SETUP_TEST_ELEVATION", answer, sizeof answer);
        if (length >= sizeof answer || std::strcmp(answer, "accept") != 0) return Status::Failed("refused", ERROR_CANCELLED);
        const std::string program = ProgramFolder() + "elevated.exe";
        std::string commandLine = "\"" + program + "\" " + arguments;
        STARTUPINFOA startup{};
        startup.cb = sizeof startup;
        PROCESS_INFORMATION process{};
        if (!CreateProcessA(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                            &process))
            return Status::Failed("not started", GetLastError());
        DWORD code = 0;
        WaitForSingleObject(process.hProcess, INFINITE);
        GetExitCodeProcess(process.hProcess, &code);
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);
        return code;
    }
};

Unelevated seam;
const bool replaced = (Elevation::Replace(&seam), true);

}  // namespace
