#pragma once
#include <windows.h>

// The two codes by which the system says a name does not exist; every other failure
// (access denied, a name it refuses, a file in use) means something is there or in the way.
inline bool IsNotFoundError(DWORD error) { return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND; }
