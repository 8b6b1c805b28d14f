#pragma once
#include "base/TextId.h"
#include <string>

// printf-style formatting into a std::string of whatever length the result needs.
std::string FormatText(const char* format, ...) __attribute__((format(printf, 1, 2)));
// The same with the text of `id` (base/Texts.h) in the run's language as the format.
std::string FormatText(TextId id, ...);
