#include <windows.h>

#include "app/SetupProgram.h"
#include "base/SystemLibrary.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    NarrowDllSearch();
    return RunSetupProgram(GetCommandLineA());
}
