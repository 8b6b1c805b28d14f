#pragma once
#include <cstdint>
#include <span>
#include <vector>

#include "compress/LzssFormat.h"

// Finds, position by position, the longest earlier match within the ring's reach, through
// chains of positions that share their first three bytes.
class MatchFinder {
public:
    explicit MatchFinder(std::span<const unsigned char> data);

    // The longest match for `pos`, at most `limit` bytes (length 0 when there is none of
    // MinMatch bytes). Positions must be asked for in order, each once.
    Token FindAndInsert(size_t pos, size_t limit);

private:
    uint32_t HashAt(size_t pos) const;
    size_t MatchLength(size_t candidate, size_t pos, size_t limit) const;
    void Link(size_t pos, uint32_t hash);

    std::span<const unsigned char> data_;
    std::vector<uint32_t> head_;      // per hash, the latest position
    std::vector<uint32_t> previous_;  // per ring slot, the position before it with the same hash
};
