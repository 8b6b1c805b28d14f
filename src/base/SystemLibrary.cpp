#include "base/SystemLibrary.h"

#include <string>

#include "base/FormatText.h"
#include "base/PathQuery.h"

void NarrowDllSearch() {
    // Looked up, not imported: a program that imports it does not start where it is missing.
    using SetDefaultDllDirectoriesFunction = BOOL(WINAPI*)(DWORD);
    const auto setDefaultDllDirectories =
        ProcAddress<SetDefaultDllDirectoriesFunction>(GetModuleHandleA("kernel32.dll"), "SetDefaultDllDirectories");
    if (setDefaultDllDirectories && setDefaultDllDirectories(LOAD_LIBRARY_SEARCH_SYSTEM32)) return;
    SetDllDirectoryA("");
}

HMODULE LoadSystemLibrary(const char* name) {
    const std::string folder = QueryPath([](char* buffer, DWORD size) { return GetSystemDirectoryA(buffer, size); });
    if (folder.empty()) return nullptr;
    // The altered search takes the DLL's own imports from its folder too.
    return LoadLibraryExA(FormatText("%s\\%s.dll", folder.c_str(), name).c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
}
