#pragma once
#include <cstdint>
#include <span>
#include <vector>

// A match found for a position: its length, and its distance less one (0 is the byte before).
struct MatchCandidate {
    uint32_t length;
    uint32_t distance;
};

// Finds, for each position in turn, the nearest earlier match of every length up to `niceLength`
// within `window` bytes: positions sharing their first bytes are kept in a binary tree ordered
// by what follows them. A match of `niceLength` is followed as far as it goes, up to
// `maxLength`. Each position is visited once, in order, by Find or Skip.
class BinaryTreeFinder {
public:
    BinaryTreeFinder(std::span<const unsigned char> data, uint32_t window, uint32_t niceLength, uint32_t depth,
                     uint32_t maxLength);

    // The matches of the current position by growing length, each nearer than any longer one;
    // then moves to the next position.
    const std::vector<MatchCandidate>& Find();
    // Moves past `count` positions, keeping the tree up to date.
    void Skip(uint32_t count);
    size_t Position() const { return pos_; }

private:
    void Insert(bool collect);
    void Advance();
    // The two children of the node of the position `back` bytes before the current one.
    uint32_t* Children(uint32_t back) {
        return &tree_[2 * static_cast<size_t>(cyclic_ >= back ? cyclic_ - back : cyclic_ + window_ - back)];
    }

    std::span<const unsigned char> data_;
    uint32_t window_;
    uint32_t niceLength_;
    uint32_t depth_;
    uint32_t maxLength_;
    size_t pos_ = 0;
    // pos_ modulo the window: where its node is.
    uint32_t cyclic_ = 0;
    // Heads hold position + 1, so 0 is none.
    std::vector<uint32_t> head2_;
    std::vector<uint32_t> head3_;
    std::vector<uint32_t> head4_;
    std::vector<uint32_t> tree_;
    std::vector<MatchCandidate> found_;
};
