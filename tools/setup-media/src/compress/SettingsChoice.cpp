#include "compress/SettingsChoice.h"

#include <cstdint>

namespace {

// Bytes of text in any 8-bit or UTF-8 encoding: everything but the control characters other
// than tab, line feed and carriage return.
bool TextByte(unsigned char byte) { return byte >= 0x20 ? byte != 0x7F : byte == '\t' || byte == '\n' || byte == '\r'; }

// Text that needs no alignment: compressed or machine code falls far below this share.
bool MostlyText(std::span<const unsigned char> data) {
    uint64_t text = 0;
    for (const unsigned char byte : data) text += TextByte(byte);
    return text * 100 >= data.size() * 95;
}

}  // namespace

// Each literal context must see enough literals to learn: on small inputs fewer contexts and
// no position states code smaller, and on text only a few megabytes make a fourth bit of the
// previous byte pay (measured on copyright texts, sample packages and Windows libraries).
LzmaSettings SettingsFor(std::span<const unsigned char> data) {
    LzmaSettings settings;
    if (data.size() < 8 * 1024) {
        settings.shape = {1, 0, 0};
    } else if (data.size() < 32 * 1024) {
        settings.shape = {2, 0, 0};
    } else if (MostlyText(data)) {
        settings.shape = {data.size() >= 2 * 1024 * 1024 ? 4u : 3u, 0, 0};
        return settings;
    }
    // In programs a match this long is seldom beaten by weighing the others, and the tree seldom
    // holds a better one deeper down: searching on costs time (5 % of it on Windows libraries)
    // and gains nothing there (0.1 %), unlike in text.
    settings.niceLength = 128;
    settings.depth = 80;
    return settings;
}
