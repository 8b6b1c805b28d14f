#pragma once
#include <string>

// The command line without the executable's own name: what follows the name (quoted or not)
// and the blanks and tabs after it, taken verbatim.
std::string ArgumentText(const char* commandLine);
