#include "app/ArgumentText.h"

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

const char* SkipBlanks(const char* p) {
    while (IsBlank(*p)) ++p;
    return p;
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
