#include "compress/LzmaModel.h"

#include <algorithm>
#include <bit>

namespace {

// How many coded lengths, and coded distances, between two refreshes of their prices.
constexpr unsigned LengthRefreshInterval = 16;
constexpr unsigned DistanceRefreshInterval = 32;
constexpr unsigned EndSlotOfModel = 14;
constexpr uint32_t NearDistances = 128;
constexpr unsigned AlignBits = 4;

template <size_t N>
void Fill(uint16_t (&probabilities)[N]) {
    std::fill(std::begin(probabilities), std::end(probabilities), ProbabilityHalf);
}

template <size_t M, size_t N>
void Fill(uint16_t (&probabilities)[M][N]) {
    for (auto& row : probabilities) Fill(row);
}

unsigned DistanceSlot(uint32_t distance) {
    if (distance < 4) return distance;
    const unsigned top = static_cast<unsigned>(std::bit_width(distance)) - 1;
    return 2 * top + (distance >> (top - 1) & 1);
}

unsigned LengthState(uint32_t length) { return std::min<uint32_t>(length - MinMatch, 3); }

}  // namespace

void CoderState::AfterMatch(uint32_t distance) {
    reps[3] = reps[2];
    reps[2] = reps[1];
    reps[1] = reps[0];
    reps[0] = distance;
    state = state < 7 ? 7 : 10;
}

void CoderState::AfterRep(unsigned index) {
    const uint32_t distance = reps[index];
    for (unsigned i = index; i > 0; --i) reps[i] = reps[i - 1];
    reps[0] = distance;
    state = state < 7 ? 8 : 11;
}

LengthModel::LengthModel() {
    Fill(low_);
    Fill(middle_);
    Fill(high_);
}

void LengthModel::Encode(RangeEncoder& coder, uint32_t length, unsigned posState) {
    uint32_t symbol = length - MinMatch;
    if (symbol < 8) {
        coder.Bit(choice_, 0);
        coder.Tree(low_[posState], 3, symbol);
        return;
    }
    coder.Bit(choice_, 1);
    if (symbol < 16) {
        coder.Bit(choice2_, 0);
        coder.Tree(middle_[posState], 3, symbol - 8);
        return;
    }
    coder.Bit(choice2_, 1);
    coder.Tree(high_, 8, symbol - 16);
}

void LengthModel::UpdatePrices(unsigned posStates) {
    const uint32_t lowChoice = BitPrice(choice_, 0), notLow = BitPrice(choice_, 1);
    const uint32_t middleChoice = notLow + BitPrice(choice2_, 0), highChoice = notLow + BitPrice(choice2_, 1);
    uint32_t highPrices[256];
    for (unsigned symbol = 0; symbol < 256; ++symbol) highPrices[symbol] = highChoice + TreePrice(high_, 8, symbol);
    for (unsigned posState = 0; posState < posStates; ++posState) {
        uint32_t* prices = prices_[posState];
        for (unsigned symbol = 0; symbol < 8; ++symbol) {
            prices[symbol] = lowChoice + TreePrice(low_[posState], 3, symbol);
            prices[8 + symbol] = middleChoice + TreePrice(middle_[posState], 3, symbol);
        }
        std::copy(highPrices, highPrices + (MaxMatch - MinMatch + 1 - 16), prices + 16);
    }
}

LzmaModel::LzmaModel(const LzmaShape& shape)
    : lc_(shape.lc),
      lpMask_((1u << shape.lp) - 1),
      pbMask_((1u << shape.pb) - 1),
      literals_(size_t{0x300} << (shape.lc + shape.lp), ProbabilityHalf) {
    Fill(isMatch_);
    Fill(isRep_);
    Fill(isRepG0_);
    Fill(isRepG1_);
    Fill(isRepG2_);
    Fill(isRep0Long_);
    Fill(slots_);
    Fill(special_);
    Fill(align_);
}

uint16_t* LzmaModel::LiteralCoder(uint64_t position, unsigned previous) {
    return literals_.data() + 0x300 * (((static_cast<uint32_t>(position) & lpMask_) << lc_) + (previous >> (8 - lc_)));
}

const uint16_t* LzmaModel::LiteralCoder(uint64_t position, unsigned previous) const {
    return const_cast<LzmaModel*>(this)->LiteralCoder(position, previous);
}

void LzmaModel::EncodeLiteral(RangeEncoder& coder, CoderState& at, uint64_t position, unsigned previous,
                              unsigned byte, unsigned matchByte) {
    coder.Bit(isMatch_[at.state][PosState(position)], 0);
    uint16_t* probabilities = LiteralCoder(position, previous);
    // After a match the byte at the last distance steers the coding until the two differ.
    bool matching = at.AfterMatchItem();
    for (unsigned symbol = 1, bitAt = 8; bitAt-- > 0;) {
        const unsigned bit = byte >> bitAt & 1;
        if (matching) {
            const unsigned matchBit = matchByte >> bitAt & 1;
            coder.Bit(probabilities[((1 + matchBit) << 8) + symbol], bit);
            matching = matchBit == bit;
        } else {
            coder.Bit(probabilities[symbol], bit);
        }
        symbol = symbol << 1 | bit;
    }
    at.AfterLiteral();
}

uint32_t LzmaModel::LiteralPrice(const CoderState& at, uint64_t position, unsigned previous, unsigned byte,
                                 unsigned matchByte) const {
    uint32_t price = BitPrice(isMatch_[at.state][PosState(position)], 0);
    const uint16_t* probabilities = LiteralCoder(position, previous);
    bool matching = at.AfterMatchItem();
    for (unsigned symbol = 1, bitAt = 8; bitAt-- > 0;) {
        const unsigned bit = byte >> bitAt & 1;
        if (matching) {
            const unsigned matchBit = matchByte >> bitAt & 1;
            price += BitPrice(probabilities[((1 + matchBit) << 8) + symbol], bit);
            matching = matchBit == bit;
        } else {
            price += BitPrice(probabilities[symbol], bit);
        }
        symbol = symbol << 1 | bit;
    }
    return price;
}

void LzmaModel::EncodeShortRep(RangeEncoder& coder, CoderState& at, uint64_t position) {
    const unsigned posState = PosState(position);
    coder.Bit(isMatch_[at.state][posState], 1);
    coder.Bit(isRep_[at.state], 1);
    coder.Bit(isRepG0_[at.state], 0);
    coder.Bit(isRep0Long_[at.state][posState], 0);
    at.AfterShortRep();
}

uint32_t LzmaModel::ShortRepPrice(const CoderState& at, unsigned posState) const {
    return BitPrice(isMatch_[at.state][posState], 1) + BitPrice(isRep_[at.state], 1) +
           BitPrice(isRepG0_[at.state], 0) + BitPrice(isRep0Long_[at.state][posState], 0);
}

void LzmaModel::EncodeRep(RangeEncoder& coder, CoderState& at, uint64_t position, unsigned index, uint32_t length) {
    const unsigned posState = PosState(position);
    coder.Bit(isMatch_[at.state][posState], 1);
    coder.Bit(isRep_[at.state], 1);
    if (index == 0) {
        coder.Bit(isRepG0_[at.state], 0);
        coder.Bit(isRep0Long_[at.state][posState], 1);
    } else {
        coder.Bit(isRepG0_[at.state], 1);
        coder.Bit(isRepG1_[at.state], index == 1 ? 0 : 1);
        if (index > 1) coder.Bit(isRepG2_[at.state], index == 2 ? 0 : 1);
    }
    repLength_.Encode(coder, length, posState);
    if (lengthsUntilRefresh_ > 0) --lengthsUntilRefresh_;
    at.AfterRep(index);
}

uint32_t LzmaModel::RepHeadPrice(const CoderState& at, unsigned index, unsigned posState) const {
    uint32_t price = BitPrice(isMatch_[at.state][posState], 1) + BitPrice(isRep_[at.state], 1);
    if (index == 0) return price + BitPrice(isRepG0_[at.state], 0) + BitPrice(isRep0Long_[at.state][posState], 1);
    price += BitPrice(isRepG0_[at.state], 1);
    if (index == 1) return price + BitPrice(isRepG1_[at.state], 0);
    return price + BitPrice(isRepG1_[at.state], 1) + BitPrice(isRepG2_[at.state], index == 2 ? 0 : 1);
}

void LzmaModel::EncodeMatch(RangeEncoder& coder, CoderState& at, uint64_t position, uint32_t distance,
                            uint32_t length) {
    const unsigned posState = PosState(position);
    coder.Bit(isMatch_[at.state][posState], 1);
    coder.Bit(isRep_[at.state], 0);
    matchLength_.Encode(coder, length, posState);
    if (lengthsUntilRefresh_ > 0) --lengthsUntilRefresh_;
    EncodeDistance(coder, distance, length);
    if (distancesUntilRefresh_ > 0) --distancesUntilRefresh_;
    at.AfterMatch(distance);
}

uint32_t LzmaModel::MatchHeadPrice(const CoderState& at, unsigned posState) const {
    return BitPrice(isMatch_[at.state][posState], 1) + BitPrice(isRep_[at.state], 0);
}

void LzmaModel::EncodeDistance(RangeEncoder& coder, uint32_t distance, uint32_t length) {
    const unsigned slot = DistanceSlot(distance);
    coder.Tree(slots_[LengthState(length)], 6, slot);
    if (slot < 4) return;
    const unsigned bits = (slot >> 1) - 1;
    const uint32_t base = (2 | (slot & 1)) << bits;
    const uint32_t reduced = distance - base;
    if (slot < EndSlotOfModel) {
        coder.ReverseTree(special_ + base - slot, bits, reduced);
        return;
    }
    coder.DirectBits(reduced >> AlignBits, bits - AlignBits);
    coder.ReverseTree(align_, AlignBits, reduced & 15);
}

uint32_t LzmaModel::DistancePrice(uint32_t distance, uint32_t length) const {
    const unsigned lengthState = LengthState(length);
    if (distance < NearDistances) return nearPrices_[lengthState][distance];
    return slotPrices_[lengthState][DistanceSlot(distance)] + alignPrices_[distance & 15];
}

void LzmaModel::UpdateDistancePrices() {
    for (unsigned lengthState = 0; lengthState < 4; ++lengthState) {
        for (unsigned slot = 0; slot < 64; ++slot) {
            slotPrices_[lengthState][slot] = TreePrice(slots_[lengthState], 6, slot);
            if (slot >= EndSlotOfModel) slotPrices_[lengthState][slot] += DirectBitsPrice((slot >> 1) - 1 - AlignBits);
        }
        for (uint32_t distance = 0; distance < NearDistances; ++distance) {
            const unsigned slot = DistanceSlot(distance);
            uint32_t price = slotPrices_[lengthState][slot];
            if (slot >= 4) {
                const unsigned bits = (slot >> 1) - 1;
                const uint32_t base = (2 | (slot & 1)) << bits;
                price += ReverseTreePrice(special_ + base - slot, bits, distance - base);
            }
            nearPrices_[lengthState][distance] = price;
        }
    }
    for (unsigned low = 0; low < 16; ++low) alignPrices_[low] = ReverseTreePrice(align_, AlignBits, low);
}

void LzmaModel::RefreshPrices() {
    if (lengthsUntilRefresh_ == 0) {
        matchLength_.UpdatePrices(pbMask_ + 1);
        repLength_.UpdatePrices(pbMask_ + 1);
        lengthsUntilRefresh_ = LengthRefreshInterval;
    }
    if (distancesUntilRefresh_ == 0) {
        UpdateDistancePrices();
        distancesUntilRefresh_ = DistanceRefreshInterval;
    }
}
