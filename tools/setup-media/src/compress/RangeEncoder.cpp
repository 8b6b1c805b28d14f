#include "compress/RangeEncoder.h"

namespace {

constexpr unsigned MoveBits = 5;
constexpr uint32_t TopValue = 1u << 24;

}  // namespace

uint32_t TreePrice(const uint16_t* probabilities, unsigned bits, unsigned symbol) {
    uint32_t price = 0;
    symbol |= 1u << bits;
    while (symbol > 1) {
        price += BitPrice(probabilities[symbol >> 1], symbol & 1);
        symbol >>= 1;
    }
    return price;
}

uint32_t ReverseTreePrice(const uint16_t* probabilities, unsigned bits, unsigned symbol) {
    uint32_t price = 0;
    for (unsigned node = 1; bits-- > 0; symbol >>= 1) {
        price += BitPrice(probabilities[node], symbol & 1);
        node = node << 1 | (symbol & 1);
    }
    return price;
}

void RangeEncoder::Bit(uint16_t& probability, unsigned bit) {
    const uint32_t bound = (range_ >> ProbabilityBits) * probability;
    if (bit == 0) {
        range_ = bound;
        probability += ((1u << ProbabilityBits) - probability) >> MoveBits;
    } else {
        low_ += bound;
        range_ -= bound;
        probability -= probability >> MoveBits;
    }
    while (range_ < TopValue) {
        range_ <<= 8;
        ShiftLow();
    }
}

void RangeEncoder::DirectBits(uint32_t value, unsigned count) {
    while (count-- > 0) {
        range_ >>= 1;
        if (value >> count & 1) low_ += range_;
        if (range_ < TopValue) {
            range_ <<= 8;
            ShiftLow();
        }
    }
}

void RangeEncoder::Tree(uint16_t* probabilities, unsigned bits, unsigned symbol) {
    for (unsigned node = 1; bits-- > 0;) {
        const unsigned bit = symbol >> bits & 1;
        Bit(probabilities[node], bit);
        node = node << 1 | bit;
    }
}

void RangeEncoder::ReverseTree(uint16_t* probabilities, unsigned bits, unsigned symbol) {
    for (unsigned node = 1; bits-- > 0; symbol >>= 1) {
        Bit(probabilities[node], symbol & 1);
        node = node << 1 | (symbol & 1);
    }
}

void RangeEncoder::Flush() {
    for (int i = 0; i < 5; ++i) ShiftLow();
}

// The low end of the range is written a byte at a time once its top byte can no longer change;
// a run of 0xFF bytes waits in `cacheSize_` until a carry settles it.
void RangeEncoder::ShiftLow() {
    if (low_ < 0xFF000000 || low_ >= (uint64_t{1} << 32)) {
        const unsigned char carry = static_cast<unsigned char>(low_ >> 32);
        unsigned char byte = cache_;
        do {
            out_ += static_cast<char>(byte + carry);
            byte = 0xFF;
        } while (--cacheSize_ != 0);
        cache_ = static_cast<unsigned char>(low_ >> 24);
    }
    ++cacheSize_;
    low_ = (low_ & 0x00FFFFFF) << 8;
}
