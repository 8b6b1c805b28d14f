#include "support/SimulatedRestart.h"

#include <windows.h>

#include "support/WideText.h"

namespace {

constexpr const char* SessionManagerKey = "System\\CurrentControlSet\\Control\\Session Manager";
constexpr const wchar_t* PendingValue = L"PendingFileRenameOperations";

class SessionManager {
public:
    SessionManager() {
        if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, SessionManagerKey, 0, KEY_QUERY_VALUE | KEY_SET_VALUE, &key_) !=
            ERROR_SUCCESS)
            key_ = nullptr;
    }
    ~SessionManager() {
        if (key_) RegCloseKey(key_);
    }
    SessionManager(const SessionManager&) = delete;
    SessionManager& operator=(const SessionManager&) = delete;

    // The list as "name\0name\0...", without its final terminator; empty when there is none.
    std::wstring Pending() const {
        DWORD size = 0;
        if (!key_ || RegQueryValueExW(key_, PendingValue, nullptr, nullptr, nullptr, &size) != ERROR_SUCCESS)
            return {};
        std::wstring data(size / sizeof(wchar_t), L'\0');
        if (RegQueryValueExW(key_, PendingValue, nullptr, nullptr, reinterpret_cast<BYTE*>(data.data()), &size) !=
            ERROR_SUCCESS)
            return {};
        data.resize(size / sizeof(wchar_t));
        if (!data.empty() && data.back() == L'\0') data.pop_back();
        return data;
    }

    void SetPending(const std::wstring& list) const {
        if (!key_) return;
        if (list.empty()) {
            RegDeleteValueW(key_, PendingValue);
            return;
        }
        const std::wstring data = list + L'\0';
        RegSetValueExW(key_, PendingValue, 0, REG_MULTI_SZ, reinterpret_cast<const BYTE*>(data.data()),
                       static_cast<DWORD>(data.size() * sizeof(wchar_t)));
    }

private:
    HKEY key_ = nullptr;
};

bool RunAndWait(std::string commandLine) {
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process))
        return false;
    const bool ended = WaitForSingleObject(process.hProcess, 60000) == WAIT_OBJECT_0;
    DWORD code = 1;
    GetExitCodeProcess(process.hProcess, &code);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return ended && code == 0;
}

}  // namespace

SimulatedRestart::SimulatedRestart() : before_(SessionManager().Pending()) {}

bool SimulatedRestart::IsScheduled(const std::string& path) const {
    const std::wstring pending = SessionManager().Pending();
    if (pending.size() <= before_.size()) return false;
    // Entries are "\??\" and the full path; the list is appended to.
    const std::wstring added = pending.substr(before_.size());
    const std::wstring entry = L"\\??\\" + WideText(path) + L'\0';
    return (L'\0' + added).find(L'\0' + entry) != std::wstring::npos;
}

bool SimulatedRestart::Restart() const {
    const SessionManager manager;
    const std::wstring pending = manager.Pending();
    // Each entry ends in its own terminator, so what was added starts right after the snapshot.
    manager.SetPending(pending.size() > before_.size() ? pending.substr(before_.size()) : std::wstring());
    const bool restarted = RunAndWait("wineboot.exe -r");
    manager.SetPending(before_);
    return restarted;
}
