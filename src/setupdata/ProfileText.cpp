#include "setupdata/ProfileText.h"

#include <windows.h>

#include <string_view>

void ReadSectionOfText(const std::string& content, const char* section, EntryList& entries) {
    std::string_view text = content;
    bool inSection = false;
    while (!text.empty()) {
        const size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
        if (line.ends_with('\r')) line.remove_suffix(1);
        if (line.starts_with('[') && line.ends_with(']')) {
            inSection = lstrcmpiA(std::string(line.substr(1, line.size() - 2)).c_str(), section) == 0;
            continue;
        }
        const size_t equals = line.find('=');
        if (inSection && equals != std::string_view::npos)
            entries.Append(std::string(line.substr(0, equals)), std::string(line.substr(equals + 1)));
    }
}
