#pragma once
#include <cstdint>
#include <string>
#include <vector>

// Texts compared without regard to letter case, as the profile functions match names.

bool SameTextIgnoringCase(const std::string& a, const std::string& b);
// A number that is the same for texts that differ only in letter case, so a long list is mostly
// compared by numbers.
uint32_t FoldedHash(const std::string& text);

// A set of texts, letter case ignored, that finds one in constant time: merging two logs of
// ten thousand entries each must not compare every entry with every other.
class FoldedTextSet {
public:
    explicit FoldedTextSet(size_t expected);
    // False when an equal text was there already.
    bool Insert(const std::string& text);
    // The place of the equal text in the order of insertion, or -1.
    int Find(const std::string& text) const;

private:
    std::vector<std::string> texts_;
    std::vector<int32_t> slots_;  // indexes into texts_, -1 for none; a power of two long
};
