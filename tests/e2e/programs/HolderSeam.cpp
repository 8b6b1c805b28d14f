// Linked into a build of setup.exe for the tests only: in place of the platform's Restart Manager,
// which under wine lists no program, it names the test's own holder process, whose id the variable
// SETUP_TEST_HOLDER gives, as holding any files that exist, and closes it as the Restart Manager
// closes a program without force: WM_CLOSE to its windows, then a wait for it to end.
#include <windows.h>

#include <cstdlib>
#include <cstring>

#include "fsutil/RestartManager.h"

namespace {

DWORD HolderId() {
    char text[16] = "";
    const DWORD length = GetEnvironmentVariableA("SETUP_TEST_HOLDER", text, sizeof text);
    return length && length < sizeof text ? static_cast<DWORD>(std::strtoul(text, nullptr, 10)) : 0;
}

// The holder's process, when it still runs.
HANDLE OpenHolder() {
    const DWORD id = HolderId();
    const HANDLE process = id ? OpenProcess(SYNCHRONIZE | PROCESS_QUERY_LIMITED_INFORMATION, FALSE, id) : nullptr;
    if (process && WaitForSingleObject(process, 0) == WAIT_TIMEOUT) return process;
    if (process) CloseHandle(process);
    return nullptr;
}

std::string ProgramName(HANDLE process) {
    char path[MAX_PATH] = "";
    DWORD size = MAX_PATH;
    if (!QueryFullProcessImageNameA(process, 0, path, &size)) return "?";
    const char* name = std::strrchr(path, '\\');
    return name ? name + 1 : path;
}

BOOL CALLBACK AskToClose(HWND window, LPARAM id) {
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner == static_cast<DWORD>(id)) PostMessageA(window, WM_CLOSE, 0, 0);
    return TRUE;
}

class TestHolders final : public RestartManager {
public:
    std::vector<FileHolder> Holders(const std::vector<std::string>& paths) override {
        const HANDLE process = paths.empty() ? nullptr : OpenHolder();
        if (!process) return {};
        const std::string name = ProgramName(process);
        CloseHandle(process);
        return {{name, false}};
    }

    std::vector<std::string> Close() override {
        const HANDLE process = OpenHolder();
        if (!process) return {};
        EnumWindows(AskToClose, static_cast<LPARAM>(HolderId()));
        const bool ended = WaitForSingleObject(process, 5000) == WAIT_OBJECT_0;
        std::vector<std::string> running;
        if (!ended) running.push_back(ProgramName(process));
        CloseHandle(process);
        return running;
    }

    void Restart() override {}
};

TestHolders seam;
const bool replaced = (RestartManager::Replace(&seam), true);

}  // namespace
