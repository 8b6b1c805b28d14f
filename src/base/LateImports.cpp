// setup.exe imports the window and shell DLLs late: each is loaded, from the System folder, when
// the program first calls into it. An unattended run never shows a window, and so never pays for
// setting up the window system (under Wine a fifth of such a run). The slots of the calls and
// their entries are written at build time (cmake/LateImports.cmake).
#include <windows.h>

#include "base/PackedNames.h"
#include "base/SystemLibrary.h"

namespace {

// One DLL imported late, as the build lays it out: its module once loaded, then its slots.
struct LateDll {
    HMODULE module;
    FARPROC slots[1];
};

// Each entry is a call of five bytes into the loading code.
constexpr ptrdiff_t EntrySize = 5;

}  // namespace

// The function of the slot whose entry returns `returned` bytes past the DLL's first entry, by its
// name in `names` (the DLL's, then one per slot, each ending in a null): loaded with its DLL on the
// first call through the slot, and put in it.
extern "C" FARPROC LateImport(LateDll* dll, ptrdiff_t returned, const char* names) {
    if (!dll->module) dll->module = LoadSystemLibrary(names);
    const ptrdiff_t index = returned / EntrySize - 1;
    const FARPROC function =
        dll->module ? GetProcAddress(dll->module, PackedName(names, static_cast<int>(index) + 1)) : nullptr;
    // A system DLL or function that is missing leaves nothing sensible to do.
    if (!function) ExitProcess(ERROR_PROC_NOT_FOUND);
    return dll->slots[index] = function;
}
