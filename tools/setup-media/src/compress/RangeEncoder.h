#pragma once
#include <array>
#include <cstdint>
#include <string>

// The range coder of the LZMA format, encoding side, and what each bit costs: prices are in
// 64ths of a bit, from a table computed with integers only, so every build chooses alike.

inline constexpr unsigned ProbabilityBits = 11;
inline constexpr uint16_t ProbabilityHalf = 1u << (ProbabilityBits - 1);
inline constexpr unsigned PriceShift = 6;

namespace price_detail {

// Prices are looked up by the probability's high bits.
inline constexpr unsigned TableShift = 1;

// -log2(x / 2^ProbabilityBits) in 64ths of a bit, for x in (0, 2^ProbabilityBits): the
// integer part from the highest bit, the fraction by repeated squaring of the normalised value.
constexpr uint32_t NegativeLog2(uint32_t x) {
    unsigned exponent = 0;
    while ((x >> exponent) > 1) ++exponent;
    // Mantissa in [2^16, 2^17), that is 1.0 to 2.0 with 16 fractional bits.
    uint64_t mantissa = uint64_t{x} << (16 - exponent);
    uint32_t log2 = exponent << PriceShift;
    for (unsigned bit = PriceShift; bit-- > 0;) {
        mantissa = mantissa * mantissa >> 16;
        if (mantissa >= (uint64_t{1} << 17)) {
            mantissa >>= 1;
            log2 |= 1u << bit;
        }
    }
    return (ProbabilityBits << PriceShift) - log2;
}

inline constexpr size_t TableSize = (1u << ProbabilityBits) >> TableShift;

inline constexpr auto Table = [] {
    std::array<uint32_t, TableSize> prices{};
    for (uint32_t i = 0; i < prices.size(); ++i) prices[i] = NegativeLog2((i << TableShift) + (1u << (TableShift - 1)));
    return prices;
}();

}  // namespace price_detail

// The price of coding `bit` where its probability of being 0 is `probability`.
inline uint32_t BitPrice(uint16_t probability, unsigned bit) {
    const uint32_t zeroChance = bit ? (1u << ProbabilityBits) - probability : probability;
    return price_detail::Table[zeroChance >> price_detail::TableShift];
}
// The price of `count` bits coded without a probability.
inline uint32_t DirectBitsPrice(unsigned count) { return count << PriceShift; }

// Bit-tree prices: `symbol` of `bits` bits, most significant bit first or (Reverse) last.
uint32_t TreePrice(const uint16_t* probabilities, unsigned bits, unsigned symbol);
uint32_t ReverseTreePrice(const uint16_t* probabilities, unsigned bits, unsigned symbol);

class RangeEncoder {
public:
    explicit RangeEncoder(std::string& out) : out_(out) {}

    void Bit(uint16_t& probability, unsigned bit);
    void DirectBits(uint32_t value, unsigned count);
    void Tree(uint16_t* probabilities, unsigned bits, unsigned symbol);
    void ReverseTree(uint16_t* probabilities, unsigned bits, unsigned symbol);
    // Writes what is still held; the coder is spent afterwards.
    void Flush();

private:
    void ShiftLow();

    std::string& out_;
    uint64_t low_ = 0;
    uint32_t range_ = 0xFFFFFFFF;
    unsigned char cache_ = 0;
    uint64_t cacheSize_ = 1;
};
