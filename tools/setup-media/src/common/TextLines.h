#pragma once
#include <string_view>
#include <vector>

// The lines of `text`, each without its end: CR LF, CR and LF each end a line.
std::vector<std::string_view> TextLines(std::string_view text);
