#pragma once
#include <cstddef>
#include <cstdint>

// The LZSS variant the expansion library reads: a 4,096-byte ring, matches of 3 to 18 bytes
// named by their ring position, eight tokens behind each flag byte.
inline constexpr size_t WindowSize = 4096;
inline constexpr size_t MinMatch = 3;
inline constexpr size_t MaxMatch = MinMatch + 15;
// Matches reach no further back than a whole match short of the ring, so no expander can
// overwrite a byte it has yet to copy.
inline constexpr size_t MaxDistance = WindowSize - MaxMatch;
// Where the expander writes the first byte into its ring.
inline constexpr size_t FirstRingPosition = WindowSize - 16;

// Bits a token costs: a flag bit and one byte for a literal, two bytes for a match.
inline constexpr uint32_t LiteralBits = 9;
inline constexpr uint32_t MatchBits = 17;

// One step of the compressed stream: a literal (length 1) or a match of MinMatch bytes or more.
struct Token {
    uint16_t length = 1;
    uint16_t distance = 0;  // how far back the match starts; 0 for a literal
};
