#pragma once

// Letter case folded for the 26 letters of the Latin alphabet only: the program never changes
// the C library's locale, so this is what the library's tolower would do, without importing it.
inline char AsciiLower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }
