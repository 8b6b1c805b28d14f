#pragma once
#include <windows.h>

// The program runs elevated from a folder it does not control (a downloads folder, the setup
// media), where anyone may have left a DLL named like a system one. So the only DLLs it imports
// are those the platform always takes from its own folder; every other one comes from the
// System folder, and so do the DLLs that system DLLs load on its behalf.

// Narrows the DLL search of the whole process to the System folder. Call it first, before
// anything loads a DLL. Where the platform lacks that setting (Windows 7 without its update)
// the current folder is taken out of the search instead.
void NarrowDllSearch();

// The System folder's copy of the DLL `name` (given without its ".dll"), loaded by its full path,
// whatever lies beside the program or in the current folder; null when it cannot be loaded.
HMODULE LoadSystemLibrary(const char* name);

// The export `name` of `module` as a function of type `Function`; null when there is none.
template <class Function>
Function ProcAddress(HMODULE module, const char* name) {
    // Through the generic function type, which converts to any other.
    return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(GetProcAddress(module, name)));
}
