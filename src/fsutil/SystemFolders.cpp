#include "fsutil/SystemFolders.h"

#include <windows.h>

#include "base/FormatText.h"
#include "base/PathQuery.h"
#include "fsutil/FileNames.h"
#include "fsutil/PathIdentity.h"
#include "fsutil/WorkFolder.h"
#include "setupdata/WindowsKeys.h"
#include "state/SetupState.h"

namespace {

// A text value of `key` (without its leading "\") below `root`; empty when there is none.
std::string RegistryText(HKEY root, const std::string& key, const char* name, DWORD types) {
    return QueryPath([&](char* buffer, DWORD size) -> DWORD {
        DWORD bytes = size;
        const LSTATUS status = RegGetValueA(root, key.c_str(), name, types, nullptr, buffer, &bytes);
        if (status == ERROR_MORE_DATA) return bytes;
        return status == ERROR_SUCCESS && bytes > 0 ? bytes - 1 : 0;
    });
}

}  // namespace

std::string WindowsFolder() {
    return QueryPath([](char* buffer, DWORD size) { return GetWindowsDirectoryA(buffer, size); });
}

std::string SystemFolder() {
    return QueryPath([](char* buffer, DWORD size) { return GetSystemDirectoryA(buffer, size); });
}

std::string TempFolderPath() {
    return WithTrailingBackslash(QueryPath([](char* buffer, DWORD size) { return GetTempPathA(size, buffer); }));
}

std::string WindowsTempFolder() {
    std::string folder = WithTrailingBackslash(WindowsFolder());
    folder += "Temp\\";
    return folder;
}

std::string UserShellFolder(const char* name) {
    const std::string folder = RegistryText(HKEY_CURRENT_USER, ShellFoldersKey + 1, name, RRF_RT_REG_SZ);
    return !Setup.Elevated || IsWithinFolder(folder, UserProfileFolder()) ? folder : std::string();
}

// The list keeps the path as the platform made it, "%SystemDrive%\Users\..." as a rule. The
// environment that would expand it is the user's to set, so only that name is replaced, by the
// Windows folder's drive; a path naming any other variable is no profile.
std::string UserProfileFolder() {
    constexpr char SystemDrive[] = "%SystemDrive%";
    const std::string sid = TokenUserSid();
    std::string path = sid.empty() ? sid
                                   : RegistryText(HKEY_LOCAL_MACHINE, FormatText("%s\\%s", ProfileListKey + 1, sid.c_str()),
                                                  "ProfileImagePath", RRF_RT_REG_SZ | RRF_RT_REG_EXPAND_SZ | RRF_NOEXPAND);
    if (path.rfind(SystemDrive, 0) == 0) path.replace(0, sizeof SystemDrive - 1, WindowsFolder().substr(0, 2));
    return path.find('%') == std::string::npos ? path : std::string();
}
