#include "fsutil/SystemFolders.h"

#include <windows.h>

#include "base/PathQuery.h"
#include "fsutil/FileNames.h"

std::string WindowsFolder() {
    return QueryPath([](char* buffer, DWORD size) { return GetWindowsDirectoryA(buffer, size); });
}

std::string SystemFolder() {
    return QueryPath([](char* buffer, DWORD size) { return GetSystemDirectoryA(buffer, size); });
}

std::string TempFolderPath() {
    return WithTrailingBackslash(QueryPath([](char* buffer, DWORD size) { return GetTempPathA(size, buffer); }));
}
