#include "common/TextLines.h"

#include <algorithm>

std::vector<std::string_view> TextLines(std::string_view text) {
    std::vector<std::string_view> lines;
    while (!text.empty()) {
        const size_t end = std::min(text.find_first_of("\r\n"), text.size());
        lines.push_back(text.substr(0, end));
        const size_t next = text.substr(end).starts_with("\r\n") ? end + 2 : end + 1;
        text.remove_prefix(std::min(next, text.size()));
    }
    return lines;
}
