#pragma once
#include <cstddef>
#include <string>

// Counting and cutting text as the program holds it: UTF-8, where the platform honours the
// manifest's code page. A byte that does not start a whole UTF-8 sequence is a character of its
// own, so text in a single-byte code page is counted and cut as it always was. Portable: the
// media tool shares it.

// The bytes of the character that starts at `at` (at least one).
inline size_t CharacterBytes(const std::string& text, size_t at) {
    const auto lead = static_cast<unsigned char>(text[at]);
    const size_t length = lead < 0xC2 || lead > 0xF4 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
    if (at + length > text.size()) return 1;
    for (size_t i = 1; i < length; ++i)
        if ((static_cast<unsigned char>(text[at + i]) & 0xC0) != 0x80) return 1;
    return length;
}

// The characters of `text`; with `wide`, as the platform's UTF-16 buffers count them (a
// character beyond the first 65536 takes two places there).
inline size_t CharacterCount(const std::string& text, bool wide = false) {
    size_t count = 0;
    for (size_t at = 0; at < text.size(); ++count) {
        const size_t bytes = CharacterBytes(text, at);
        if (wide && bytes == 4) ++count;
        at += bytes;
    }
    return count;
}

// The bytes of `text` before the place the platform numbers `units` (it counts UTF-16 units).
inline size_t BytesBeforeWidePosition(const std::string& text, size_t units) {
    size_t at = 0;
    for (size_t unit = 0; at < text.size() && unit < units;) {
        const size_t bytes = CharacterBytes(text, at);
        unit += bytes == 4 ? 2 : 1;
        at += bytes;
    }
    return at;
}

// The first `count` characters of `text`, never a part of one.
inline std::string FirstCharacters(const std::string& text, size_t count) {
    size_t at = 0;
    for (; at < text.size() && count > 0; --count) at += CharacterBytes(text, at);
    return text.substr(0, at);
}
