#pragma once
#include <windows.h>

#include <string>

// The platform's own words for an error code, in the user's language, without the closing full
// stop and line end; the code in figures when it has none.
std::string SystemErrorText(DWORD error);
