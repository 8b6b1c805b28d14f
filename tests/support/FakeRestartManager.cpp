#include "support/FakeRestartManager.h"

#include "support/TestFiles.h"

namespace {

BOOL CALLBACK CloseWindowOf(HWND window, LPARAM processId) {
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner == static_cast<DWORD>(processId)) PostMessageA(window, WM_CLOSE, 0, 0);
    return TRUE;
}

bool Ended(HANDLE process, DWORD wait) { return WaitForSingleObject(process, wait) == WAIT_OBJECT_0; }

}  // namespace

bool FakeRestartManager::StartHolder(const std::string& file, const std::string& mode, const std::string& name) {
    const std::string program = WinePath(HOLDING_PROGRAM_UNIX_PATH);
    std::string commandLine = "\"" + program + "\" \"" + file + "\" " + mode;
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION started{};
    if (!CreateProcessA(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                        &started))
        return false;
    CloseHandle(started.hThread);
    holders_.push_back({started.hProcess, started.dwProcessId, file, name});
    // Its window made and answering: it holds the file by then.
    WaitForInputIdle(started.hProcess, 10000);
    return !Ended(started.hProcess, 0);
}

bool FakeRestartManager::Running(const std::string& name) const {
    for (const Holder& holder : holders_)
        if (holder.name == name) return !Ended(holder.process, 0);
    return false;
}

bool FakeRestartManager::IsRegistered(const std::string& file) const {
    for (const std::string& path : registered)
        if (lstrcmpiA(path.c_str(), file.c_str()) == 0) return true;
    return false;
}

bool FakeRestartManager::Register(const std::vector<std::string>& files) {
    registered = files;
    return true;
}

void FakeRestartManager::List(std::vector<std::string>& programs, std::vector<std::string>& services) {
    for (const Holder& holder : holders_)
        if (IsRegistered(holder.file) && !Ended(holder.process, 0)) programs.push_back(holder.name);
    for (const Service& service : services_)
        if (IsRegistered(service.file)) services.push_back(service.name);
}

void FakeRestartManager::Close() {
    ++closeRequests;
    for (const Holder& holder : holders_)
        if (IsRegistered(holder.file) && !Ended(holder.process, 0))
            EnumWindows(CloseWindowOf, static_cast<LPARAM>(holder.id));
    for (const Holder& holder : holders_) Ended(holder.process, 3000);
}
