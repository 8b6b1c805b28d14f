#pragma once
#include <cstdint>
#include <vector>

#include "compress/RangeEncoder.h"

// The adaptive model of an LZMA stream on the encoding side: what it coded so far (state and the
// four last distances), its probabilities, how to code each kind of item, and what each would
// cost now. Distances are given less one, as the format stores them.

inline constexpr uint32_t MinMatch = 2;
inline constexpr uint32_t MaxMatch = 273;
inline constexpr unsigned ModelStates = 12;

struct LzmaShape {
    unsigned lc = 3;
    unsigned lp = 0;
    unsigned pb = 2;
};

// What the coder has just coded, and the distances a repeat can name.
struct CoderState {
    unsigned state = 0;
    uint32_t reps[4] = {};

    void AfterLiteral() { state = state < 4 ? 0 : state < 10 ? state - 3 : state - 6; }
    void AfterMatch(uint32_t distance);
    void AfterRep(unsigned index);
    void AfterShortRep() { state = state < 7 ? 9 : 11; }
    bool AfterMatchItem() const { return state >= 7; }
};

class LengthModel {
public:
    LengthModel();
    void Encode(RangeEncoder& coder, uint32_t length, unsigned posState);
    // Prices of every length for each position state, refreshed from the probabilities.
    void UpdatePrices(unsigned posStates);
    uint32_t Price(uint32_t length, unsigned posState) const { return prices_[posState][length - MinMatch]; }

private:
    uint16_t choice_ = ProbabilityHalf;
    uint16_t choice2_ = ProbabilityHalf;
    uint16_t low_[16][8];
    uint16_t middle_[16][8];
    uint16_t high_[256];
    uint32_t prices_[16][MaxMatch - MinMatch + 1] = {};
};

class LzmaModel {
public:
    explicit LzmaModel(const LzmaShape& shape);

    unsigned PosState(uint64_t position) const { return static_cast<unsigned>(position) & pbMask_; }

    void EncodeLiteral(RangeEncoder& coder, CoderState& at, uint64_t position, unsigned previous, unsigned byte,
                       unsigned matchByte);
    void EncodeShortRep(RangeEncoder& coder, CoderState& at, uint64_t position);
    void EncodeRep(RangeEncoder& coder, CoderState& at, uint64_t position, unsigned index, uint32_t length);
    void EncodeMatch(RangeEncoder& coder, CoderState& at, uint64_t position, uint32_t distance, uint32_t length);

    uint32_t LiteralPrice(const CoderState& at, uint64_t position, unsigned previous, unsigned byte,
                          unsigned matchByte) const;
    uint32_t ShortRepPrice(const CoderState& at, unsigned posState) const;
    // Everything of a repeat but its length, and of a match but its length and distance.
    uint32_t RepHeadPrice(const CoderState& at, unsigned index, unsigned posState) const;
    uint32_t MatchHeadPrice(const CoderState& at, unsigned posState) const;
    uint32_t RepLengthPrice(uint32_t length, unsigned posState) const { return repLength_.Price(length, posState); }
    uint32_t MatchLengthPrice(uint32_t length, unsigned posState) const { return matchLength_.Price(length, posState); }
    uint32_t DistancePrice(uint32_t distance, uint32_t length) const;

    // Brings the cached prices up to date with the probabilities now and then: often enough to
    // follow the data, seldom enough to cost little.
    void RefreshPrices();

private:
    uint16_t* LiteralCoder(uint64_t position, unsigned previous);
    const uint16_t* LiteralCoder(uint64_t position, unsigned previous) const;
    void EncodeDistance(RangeEncoder& coder, uint32_t distance, uint32_t length);
    void UpdateDistancePrices();

    unsigned lc_;
    uint32_t lpMask_;
    uint32_t pbMask_;
    uint16_t isMatch_[ModelStates][16];
    uint16_t isRep_[ModelStates];
    uint16_t isRepG0_[ModelStates];
    uint16_t isRepG1_[ModelStates];
    uint16_t isRepG2_[ModelStates];
    uint16_t isRep0Long_[ModelStates][16];
    uint16_t slots_[4][64];
    uint16_t special_[115];
    uint16_t align_[16];
    LengthModel matchLength_;
    LengthModel repLength_;
    std::vector<uint16_t> literals_;

    unsigned lengthsUntilRefresh_ = 0;
    unsigned distancesUntilRefresh_ = 0;
    uint32_t slotPrices_[4][64] = {};
    uint32_t nearPrices_[4][128] = {};
    uint32_t alignPrices_[16] = {};
};
