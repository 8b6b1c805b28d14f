#pragma once
#include <string>
#include <string_view>

// Letter case as the platform's profile functions and file names ignore it, for the 26 letters
// of the Latin alphabet.
bool EqualIgnoringCase(std::string_view a, std::string_view b);
std::string LowerCase(std::string_view text);
