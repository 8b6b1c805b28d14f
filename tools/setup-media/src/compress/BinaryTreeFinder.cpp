#include "compress/BinaryTreeFinder.h"

#include <algorithm>

#include "compress/CommonLength.h"

namespace {

constexpr unsigned Hash3Bits = 16;
constexpr unsigned Hash4Bits = 22;

// Multiplicative hashing of the bytes themselves, never of addresses: the same input finds the
// same matches on every platform.
uint32_t Bytes(const unsigned char* at, unsigned count) {
    uint32_t value = 0;
    for (unsigned i = 0; i < count; ++i) value |= uint32_t{at[i]} << (8 * i);
    return value;
}

uint32_t Hash(const unsigned char* at, unsigned count, unsigned bits) {
    return (Bytes(at, count) * 2654435761u) >> (32 - bits);
}

}  // namespace

BinaryTreeFinder::BinaryTreeFinder(std::span<const unsigned char> data, uint32_t window, uint32_t niceLength,
                                   uint32_t depth, uint32_t maxLength)
    : data_(data),
      window_(window),
      niceLength_(niceLength),
      depth_(depth),
      maxLength_(maxLength),
      head2_(1u << 16),
      head3_(1u << Hash3Bits),
      head4_(1u << Hash4Bits),
      tree_(2 * static_cast<size_t>(window)) {}

const std::vector<MatchCandidate>& BinaryTreeFinder::Find() {
    found_.clear();
    Insert(true);
    Advance();
    // A shorter match farther away than a longer one is never the better choice.
    for (size_t i = found_.size(); i-- > 1;)
        if (found_[i - 1].distance >= found_[i].distance) found_.erase(found_.begin() + static_cast<ptrdiff_t>(i - 1));
    if (!found_.empty() && found_.back().length == niceLength_) {
        const size_t at = pos_ - 1;
        const size_t reach = std::min<size_t>(data_.size() - at, maxLength_);
        uint32_t& length = found_.back().length;
        length = CommonLength(&data_[at - found_.back().distance - 1], &data_[at], length, static_cast<uint32_t>(reach));
    }
    return found_;
}

void BinaryTreeFinder::Skip(uint32_t count) {
    for (; count > 0; --count) {
        Insert(false);
        Advance();
    }
}

void BinaryTreeFinder::Advance() {
    ++pos_;
    if (++cyclic_ == window_) cyclic_ = 0;
}

void BinaryTreeFinder::Insert(bool collect) {
    const size_t available = data_.size() - pos_;
    // Too few bytes left to hash; what remains is coded as it comes.
    if (available < 4) return;
    const uint32_t limit = available < niceLength_ ? static_cast<uint32_t>(available) : niceLength_;
    const unsigned char* current = &data_[pos_];
    const uint32_t here = static_cast<uint32_t>(pos_);
    uint32_t best = 1;
    // The nearest positions sharing two or three bytes give short matches the tree may not hold.
    for (uint32_t* head : {&head2_[Bytes(current, 2)], &head3_[Hash(current, 3, Hash3Bits)]}) {
        const uint32_t candidate = *head;
        *head = here + 1;
        if (!collect || candidate == 0 || here - (candidate - 1) >= window_) continue;
        const unsigned char* earlier = &data_[candidate - 1];
        const uint32_t length = CommonLength(earlier, current, 0, limit);
        if (length > best) {
            best = length;
            found_.push_back({length, here - candidate});
        }
    }

    // The next position's head is needed soon and is seldom in the cache.
    if (available > 4) __builtin_prefetch(&head4_[Hash(current + 1, 4, Hash4Bits)]);
    uint32_t& head4 = head4_[Hash(current, 4, Hash4Bits)];
    uint32_t candidate = head4;
    head4 = here + 1;
    uint32_t* smaller = Children(0);
    uint32_t* larger = smaller + 1;
    uint32_t smallerLength = 0, largerLength = 0;
    for (uint32_t steps = depth_;; --steps) {
        if (candidate == 0 || here - (candidate - 1) >= window_ || steps == 0) {
            *smaller = *larger = 0;
            return;
        }
        const uint32_t at = candidate - 1;
        const unsigned char* earlier = &data_[at];
        const uint32_t length =
            CommonLength(earlier, current, smallerLength < largerLength ? smallerLength : largerLength, limit);
        if (collect && length > best) {
            best = length;
            found_.push_back({length, here - at - 1});
        }
        uint32_t* children = Children(here - at);
        if (length == limit) {
            // The same string as far as we look: this position takes the old node's place.
            *smaller = children[0];
            *larger = children[1];
            return;
        }
        if (earlier[length] < current[length]) {
            *smaller = candidate;
            smaller = &children[1];
            candidate = *smaller;
            smallerLength = length;
        } else {
            *larger = candidate;
            larger = &children[0];
            candidate = *larger;
            largerLength = length;
        }
    }
}
