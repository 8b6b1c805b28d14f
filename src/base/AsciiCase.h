#pragma once
#include <string_view>

// Letter case folded for the 26 letters of the Latin alphabet only: the program never changes
// the C library's locale, so this is what the library's tolower would do, without importing it.
inline char AsciiLower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

// Whether `a` and `b` are the same text with letter case folded as AsciiLower folds it.
inline bool EqualIgnoringAsciiCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (AsciiLower(a[i]) != AsciiLower(b[i])) return false;
    return true;
}
