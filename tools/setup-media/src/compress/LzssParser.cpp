#include "compress/LzssParser.h"

#include <algorithm>

namespace {

// Matches do not cross a block's end; the bits lost there are few at this size.
constexpr size_t BlockSize = size_t{1} << 16;

}  // namespace

LzssParser::LzssParser(std::span<const unsigned char> data) : data_(data), finder_(data) {}

void LzssParser::FindMatches(size_t begin, size_t end) {
    longest_.resize(end - begin);
    for (size_t pos = begin; pos < end; ++pos)
        longest_[pos - begin] = finder_.FindAndInsert(pos, std::min(MaxMatch, end - pos));
}

// Walks back from the block's end: the cheapest way on from each position is a literal or
// a match of any length up to the longest found there (the same distance serves them all).
void LzssParser::ChooseCheapest(size_t begin, size_t end) {
    const size_t count = end - begin;
    cost_.assign(count + 1, 0);
    step_.assign(count, 1);
    for (size_t i = count; i-- > 0;) {
        cost_[i] = LiteralBits + cost_[i + 1];
        for (size_t length = MinMatch; length <= longest_[i].length; ++length) {
            const uint32_t viaMatch = MatchBits + cost_[i + length];
            if (viaMatch < cost_[i]) {
                cost_[i] = viaMatch;
                step_[i] = static_cast<uint16_t>(length);
            }
        }
    }
}

const std::vector<Token>& LzssParser::NextBlock() {
    tokens_.clear();
    const size_t begin = next_;
    const size_t end = std::min(data_.size(), begin + BlockSize);
    FindMatches(begin, end);
    ChooseCheapest(begin, end);
    for (size_t i = 0; i < end - begin; i += step_[i])
        tokens_.push_back(step_[i] == 1 ? Token{} : Token{step_[i], longest_[i].distance});
    next_ = end;
    return tokens_;
}
