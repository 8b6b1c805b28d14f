#include "base/Crc32.h"

namespace {

// Built on first use: a table in the image would cost a kilobyte of the program's file.
const uint32_t* Table() {
    static uint32_t table[256];
    if (table[1] == 0) {
        for (uint32_t i = 0; i < 256; ++i) {
            uint32_t value = i;
            for (int bit = 0; bit < 8; ++bit) value = value >> 1 ^ (0xEDB88320u & (0 - (value & 1)));
            table[i] = value;
        }
    }
    return table;
}

}  // namespace

uint32_t Crc32(uint32_t crc, const void* bytes, size_t size) {
    const uint32_t* table = Table();
    const auto* at = static_cast<const unsigned char*>(bytes);
    crc = ~crc;
    while (size-- > 0) crc = table[(crc ^ *at++) & 0xFF] ^ crc >> 8;
    return ~crc;
}
