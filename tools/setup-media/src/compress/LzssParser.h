#pragma once
#include <span>
#include <vector>

#include "compress/LzssFormat.h"
#include "compress/MatchFinder.h"

// Splits data into literals and matches, block by block, choosing in each block the split
// that costs the fewest bits (not just the longest match at each step).
class LzssParser {
public:
    explicit LzssParser(std::span<const unsigned char> data);

    // The tokens of the next block, in order; empty once all data is covered.
    const std::vector<Token>& NextBlock();

private:
    void FindMatches(size_t begin, size_t end);
    void ChooseCheapest(size_t begin, size_t end);

    std::span<const unsigned char> data_;
    MatchFinder finder_;
    size_t next_ = 0;
    std::vector<Token> longest_;  // per position of the block, its longest match
    std::vector<uint32_t> cost_;  // per position, the fewest bits from there to the block's end
    std::vector<uint16_t> step_;  // per position, the length of the cheapest first token
    std::vector<Token> tokens_;
};
