#include "app/ArgumentText.h"

#include <algorithm>

#include "base/AsciiCase.h"

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

const char* SkipBlanks(const char* p) {
    while (IsBlank(*p)) ++p;
    return p;
}

// Whether `text` at `at` starts with `lowerName` in any case.
bool SwitchAt(const std::string& text, size_t at, std::string_view lowerName) {
    for (size_t i = 0; i < lowerName.size(); ++i)
        if (at + i >= text.size() || AsciiLower(text[at + i]) != lowerName[i]) return false;
    return true;
}

}  // namespace

std::string ArgumentText(const char* commandLine) {
    if (!commandLine) return {};
    const char* p = SkipBlanks(commandLine);
    if (*p == '"') {
        ++p;
        while (*p && *p != '"' && *p != '\t') ++p;
        if (*p == '"') ++p;
    } else {
        while (*p && !IsBlank(*p)) ++p;
    }
    return SkipBlanks(p);
}

std::string TakeLeadingSwitch(std::string& arguments, std::string_view lowerName) {
    size_t at = 0;
    // After "/S" and its blanks, if the text starts with it.
    if (arguments.size() > 2 && AsciiLower(arguments[1]) == 's' && arguments[0] == '/' && IsBlank(arguments[2]))
        at = arguments.find_first_not_of(" \t", 2);
    if (at == std::string::npos) return {};
    const bool quotedSwitch = arguments[at] == '"';
    size_t from = at + quotedSwitch;
    if (!SwitchAt(arguments, from, lowerName)) return {};
    from += lowerName.size();
    const bool quotedValue = !quotedSwitch && from < arguments.size() && arguments[from] == '"';
    from += quotedValue;
    size_t end = quotedSwitch || quotedValue ? arguments.find('"', from) : arguments.find_first_of(" \t", from);
    end = std::min(end, arguments.size());
    const std::string value = arguments.substr(from, end - from);
    if (end < arguments.size() && arguments[end] == '"') ++end;
    const size_t rest = std::min(arguments.find_first_not_of(" \t", end), arguments.size());
    arguments.erase(at, rest - at);
    // "/S" alone keeps no blank after it.
    while (!arguments.empty() && IsBlank(arguments.back())) arguments.pop_back();
    return value;
}
