#include "base/Placeholders.h"

#include <cstring>

namespace {

// The next placeholder of `text` from `at` on, with `at` moved past it; empty at the end.
std::string NextPlaceholder(const char*& at) {
    for (; *at; ++at) {
        if (*at != '%') continue;
        const char* start = at++;
        if (*at == '%') continue;
        while (*at && std::memchr("-+ #0123456789.lhI", *at, sizeof "-+ #0123456789.lhI" - 1)) ++at;
        if (*at) ++at;
        return std::string(start, at);
    }
    return {};
}

}  // namespace

bool SamePlaceholders(const char* english, const char* translation) {
    for (;;) {
        const std::string expected = NextPlaceholder(english), found = NextPlaceholder(translation);
        if (expected != found) return false;
        if (expected.empty()) return true;
    }
}

std::string PlaceholderList(const char* text) {
    std::string list;
    for (std::string placeholder = NextPlaceholder(text); !placeholder.empty(); placeholder = NextPlaceholder(text))
        list.append(list.empty() ? "" : " ").append(placeholder);
    return list;
}
