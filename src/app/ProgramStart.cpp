#include "app/ProgramStart.h"

#include <windows.h>

#include "install/InstallRun.h"
#include "setupdata/ScriptNames.h"
#include "state/SetupState.h"

void StartInstalledProgram() {
    const std::string program = ProgramToStart();
    if (program.empty()) return;
    const std::string arguments = Setup.InstallScript->ReadValue(PackageSection, RunArgumentsKey, "");
    std::string commandLine = "\"" + program + "\"" + (arguments.empty() ? "" : " " + arguments);
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    // By its full path, so no program of that name elsewhere is started in its place.
    if (!CreateProcessA(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        Setup.InstallFolder.c_str(), &startup, &process))
        return;
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
}
