#pragma once
#include <string>

// The command line without the executable's own name: what follows the name (quoted or not)
// and the blanks and tabs after it, taken verbatim.
std::string ArgumentText(const char* commandLine);

// Takes a switch that carries a value ("/LANG=fr", "/LOG=C:\Logs\app.log") off the argument text
// where it stands first, or right after "/S" (any case) and its blanks, and gives its value; the
// argument text is then what it would be without it. `lowerName` is the switch up to and with its
// "=", in lower case; any case matches. The value ends at a blank, or it stands in double quotes
// and holds blanks, as may the whole switch ("/LOG="C:\My Logs\a.log"", ""/LOG=C:\My Logs\a.log"").
// Anywhere else the switch is part of a path, and stays.
std::string TakeLeadingSwitch(std::string& arguments, const char* lowerName);
