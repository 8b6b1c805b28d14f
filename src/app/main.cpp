#include <windows.h>

#include <cstdlib>

#include "app/SetupProgram.h"
#include "base/SystemLibrary.h"

// Every error is caught at a dispatch point; should one ever escape, end without the library's
// verbose handler, whose name demangler would double the size of the program.
namespace __gnu_cxx {
void __verbose_terminate_handler() { std::abort(); }
}  // namespace __gnu_cxx

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    NarrowDllSearch();
    return RunSetupProgram(GetCommandLineA());
}
