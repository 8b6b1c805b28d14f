#pragma once
#include <windows.h>

#include <string>

// Asks a platform function that fills a path buffer, first with room for one path. Such a
// function returns the length written, or, when the buffer is too small, the size it needs
// (terminator included): a longer answer is then fetched whole, never cut. The empty text
// when the platform fails. `query(buffer, size)` makes the call.
template <class Query>
std::string QueryPath(Query query) {
    std::string text(MAX_PATH, '\0');
    DWORD length = query(text.data(), static_cast<DWORD>(text.size()));
    if (length >= text.size()) {
        text.resize(length);
        length = query(text.data(), length);
    }
    text.resize(length < text.size() ? length : 0);
    return text;
}
