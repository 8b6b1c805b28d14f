#include <windows.h>

#include "app/SetupProgram.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) { return RunSetupProgram(GetCommandLineA()); }
