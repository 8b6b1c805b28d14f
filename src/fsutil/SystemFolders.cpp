#include "fsutil/SystemFolders.h"

#include <windows.h>

#include "base/PathQuery.h"
#include "fsutil/FileNames.h"
#include "setupdata/WindowsKeys.h"

std::string WindowsFolder() {
    return QueryPath([](char* buffer, DWORD size) { return GetWindowsDirectoryA(buffer, size); });
}

std::string SystemFolder() {
    return QueryPath([](char* buffer, DWORD size) { return GetSystemDirectoryA(buffer, size); });
}

std::string TempFolderPath() {
    return WithTrailingBackslash(QueryPath([](char* buffer, DWORD size) { return GetTempPathA(size, buffer); }));
}

std::string UserShellFolder(const char* name) {
    return QueryPath([&](char* buffer, DWORD size) -> DWORD {
        DWORD bytes = size;
        const LSTATUS status =
            RegGetValueA(HKEY_CURRENT_USER, ShellFoldersKey + 1, name, RRF_RT_REG_SZ, nullptr, buffer, &bytes);
        if (status == ERROR_MORE_DATA) return bytes;
        return status == ERROR_SUCCESS && bytes > 0 ? bytes - 1 : 0;
    });
}
