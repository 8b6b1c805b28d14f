#include "base/Placeholders.h"

#include <cstring>

std::string NextPlaceholder(const char*& at) {
    for (; *at; ++at) {
        if (*at != '%') continue;
        const char* start = at++;
        if (*at == '%') continue;
        while (*at && std::strchr("-+ #0123456789.lhI", *at)) ++at;
        if (*at) ++at;
        return std::string(start, at);
    }
    return {};
}

bool SamePlaceholders(const char* english, const char* translation) {
    for (;;) {
        const std::string expected = NextPlaceholder(english), found = NextPlaceholder(translation);
        if (expected != found) return false;
        if (expected.empty()) return true;
    }
}
