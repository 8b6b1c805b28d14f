#pragma once
#include <bit>
#include <cstdint>
#include <cstring>

// How many bytes `a` and `b` have in common from `length` on, up to `limit`: eight at a time
// where the machine is little-endian (the first differing byte is the lowest differing bit).
inline uint32_t CommonLength(const unsigned char* a, const unsigned char* b, uint32_t length, uint32_t limit) {
    if constexpr (std::endian::native == std::endian::little) {
        for (; length + 8 <= limit; length += 8) {
            uint64_t x, y;
            std::memcpy(&x, a + length, 8);
            std::memcpy(&y, b + length, 8);
            if (x != y) return length + static_cast<uint32_t>(std::countr_zero(x ^ y)) / 8;
        }
    }
    while (length < limit && a[length] == b[length]) ++length;
    return length;
}
