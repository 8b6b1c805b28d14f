#include "app/ArgumentText.h"

#include <algorithm>

#include "base/AsciiCase.h"

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

const char* SkipBlanks(const char* p) {
    while (IsBlank(*p)) ++p;
    return p;
}

// The length of `lowerName` when `text` at `at` starts with it in any case, else 0.
size_t SwitchAt(const std::string& text, size_t at, const char* lowerName) {
    size_t i = 0;
    for (; lowerName[i]; ++i)
        if (at + i >= text.size() || AsciiLower(text[at + i]) != lowerName[i]) return 0;
    return i;
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

std::string TakeLeadingSwitch(std::string& arguments, const char* lowerName) {
    size_t at = 0;
    // After "/S" and its blanks, if the text starts with it.
    if (arguments.size() > 2 && AsciiLower(arguments[1]) == 's' && arguments[0] == '/' && IsBlank(arguments[2]))
        at = arguments.find_first_not_of(" \t", 2);
    if (at == std::string::npos) return {};
    const bool quotedSwitch = arguments[at] == '"';
    size_t from = at + quotedSwitch;
    const size_t length = SwitchAt(arguments, from, lowerName);
    if (!length) return {};
    from += length;
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
