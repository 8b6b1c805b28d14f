#include "base/Crc32.h"

namespace {

// Four tables, so that four bytes are taken a step: table k gives the CRC of a byte followed by k
// zero bytes. Built on first use: in the image they would cost four kilobytes of the file.
const uint32_t (*Tables())[256] {
    static uint32_t tables[4][256];
    if (tables[0][1] == 0) {
        for (uint32_t i = 0; i < 256; ++i) {
            uint32_t value = i;
            for (int bit = 0; bit < 8; ++bit) value = value >> 1 ^ (0xEDB88320u & (0 - (value & 1)));
            tables[0][i] = value;
        }
        for (uint32_t i = 0; i < 256; ++i)
            for (int k = 1; k < 4; ++k) tables[k][i] = tables[k - 1][i] >> 8 ^ tables[0][tables[k - 1][i] & 0xFF];
    }
    return tables;
}

}  // namespace

uint32_t Crc32(uint32_t crc, const void* bytes, size_t size) {
    const uint32_t(*table)[256] = Tables();
    const auto* at = static_cast<const unsigned char*>(bytes);
    crc = ~crc;
    for (; size >= 4; size -= 4, at += 4) {
        crc ^= at[0] | at[1] << 8 | at[2] << 16 | static_cast<uint32_t>(at[3]) << 24;
        crc = table[3][crc & 0xFF] ^ table[2][crc >> 8 & 0xFF] ^ table[1][crc >> 16 & 0xFF] ^ table[0][crc >> 24];
    }
    while (size-- > 0) crc = table[0][(crc ^ *at++) & 0xFF] ^ crc >> 8;
    return ~crc;
}
