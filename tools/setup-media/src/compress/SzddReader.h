#pragma once
#include <optional>
#include <string>
#include <string_view>

// Expands a file in the expansion library's compressed format (SZDD) as the library does, ring
// filled with blanks to start. Nothing when `file` is not one, or is cut short of the length its
// header declares: the library itself would quietly give fewer bytes, and a plan or bill of
// materials must not describe what would not be installed.
std::optional<std::string> ReadSzdd(std::string_view file);

// Whether `file` starts with the compressed format's mark.
bool IsSzdd(std::string_view file);
