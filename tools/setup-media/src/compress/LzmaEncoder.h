#pragma once
#include <cstdint>
#include <span>
#include <string>

#include "compress/LzmaModel.h"

struct LzmaSettings {
    LzmaShape shape;
    // 0: the smallest the format's readers take that holds the whole input.
    uint32_t dictionary = 0;
    // A match this long is taken without weighing the alternatives.
    uint32_t niceLength = 273;
    // How many earlier positions the match finder looks at for each one.
    uint32_t depth = 512;
};

// The dictionary size for `size` bytes of input: 2^n or 3 * 2^(n-1), at least 4 KB, at most
// `limit`.
uint32_t DictionaryFor(uint64_t size, uint32_t limit);

// The most data LzmaCompress takes: positions are counted in 32 bits.
inline constexpr uint64_t MaxCompressedInput = 0xFFFF0000u;

// `data` (less than MaxCompressedInput bytes) as one LZMA stream in the .lzma layout (13-byte
// header, unpacked size stated, no end mark). The same input and settings give the same bytes on
// every platform.
std::string LzmaCompress(std::span<const unsigned char> data, const LzmaSettings& settings);
