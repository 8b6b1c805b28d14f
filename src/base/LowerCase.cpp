#include "base/LowerCase.h"

#include <windows.h>

namespace {

// Whether the `size` bytes at `text` fold into as many at `lower`.
bool FoldsAsLong(const char* text, char* lower, int size) {
    return LCMapStringA(LOCALE_USER_DEFAULT, LCMAP_LOWERCASE | LOCALE_USE_CP_ACP, text, size, lower, size) == size;
}

}  // namespace

void FoldToLowerCase(std::string& text) {
    std::string lower = text;
    if (!text.empty() && FoldsAsLong(text.data(), lower.data(), static_cast<int>(text.size()))) text = lower;
}

bool FoldsToOneLetter(char letter, char& lower) { return FoldsAsLong(&letter, &lower, 1); }
