#include "compress/MatchFinder.h"

#include <bit>
#include <cstring>

namespace {

constexpr unsigned HashBits = 16;
// Longer chains find little more and cost time on repetitive data.
constexpr int MaxChainSteps = 64;
// Positions fit 32 bits: the format's header cannot declare more bytes.
constexpr uint32_t NoPosition = 0xFFFFFFFF;

}  // namespace

MatchFinder::MatchFinder(std::span<const unsigned char> data)
    : data_(data), head_(size_t{1} << HashBits, NoPosition), previous_(WindowSize, NoPosition) {}

uint32_t MatchFinder::HashAt(size_t pos) const {
    const uint32_t three = uint32_t{data_[pos]} << 16 | uint32_t{data_[pos + 1]} << 8 | data_[pos + 2];
    return (three * 2654435761u) >> (32 - HashBits);
}

size_t MatchFinder::MatchLength(size_t candidate, size_t pos, size_t limit) const {
    size_t length = 0;
    // Eight bytes at a time where the first differing byte is the lowest one that differs.
    if constexpr (std::endian::native == std::endian::little) {
        for (uint64_t a, b; length + 8 <= limit; length += 8) {
            std::memcpy(&a, &data_[candidate + length], 8);
            std::memcpy(&b, &data_[pos + length], 8);
            if (a != b) return length + static_cast<size_t>(std::countr_zero(a ^ b)) / 8;
        }
    }
    while (length < limit && data_[candidate + length] == data_[pos + length]) ++length;
    return length;
}

Token MatchFinder::FindAndInsert(size_t pos, size_t limit) {
    if (pos + MinMatch > data_.size()) return Token{0, 0};
    const uint32_t hash = HashAt(pos);
    Token best{0, 0};
    uint32_t candidate = head_[hash];
    for (int steps = 0; candidate != NoPosition && steps < MaxChainSteps && best.length < limit; ++steps) {
        const size_t distance = pos - static_cast<size_t>(candidate);
        if (distance > MaxDistance) break;
        const size_t candidateStart = static_cast<size_t>(candidate);
        if (data_[candidateStart + best.length] == data_[pos + best.length]) {
            const size_t length = MatchLength(candidateStart, pos, limit);
            if (length > best.length) best = Token{static_cast<uint16_t>(length), static_cast<uint16_t>(distance)};
        }
        candidate = previous_[candidateStart % WindowSize];
    }
    Link(pos, hash);
    if (best.length < MinMatch) return Token{0, 0};
    return best;
}

void MatchFinder::Link(size_t pos, uint32_t hash) {
    previous_[pos % WindowSize] = head_[hash];
    head_[hash] = static_cast<uint32_t>(pos);
}
