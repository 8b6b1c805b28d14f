#pragma once
#include <cstdint>
#include <optional>
#include <string>

// The integer-text rule: optional leading blanks, then a signed decimal number within
// +-2147483647, or unsigned hexadecimal digits (up to eight significant) after "$", "x", "X",
// "0x" or "0X", taken as a 32-bit pattern. The digits must run to the end of the text.
std::optional<int32_t> ParseIntegerText(const std::string& text);
