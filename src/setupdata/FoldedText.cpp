#include "setupdata/FoldedText.h"

#include <array>

#include "base/LowerCase.h"

namespace {

// Letter case folded by the system code page, as the profile functions match names.
// One table, so that comparing a long list stays cheap.
const std::array<unsigned char, 256>& LowerCaseTable() {
    static const std::array<unsigned char, 256> table = [] {
        std::array<unsigned char, 256> folded{};
        for (size_t c = 0; c < folded.size(); ++c) {
            const char letter = static_cast<char>(c);
            char lower = letter;
            folded[c] = FoldsToOneLetter(letter, lower) ? static_cast<unsigned char>(lower) : static_cast<unsigned char>(c);
        }
        return folded;
    }();
    return table;
}

}  // namespace

bool SameTextIgnoringCase(const std::string& a, const std::string& b) {
    if (a.size() != b.size()) return false;
    const auto& lower = LowerCaseTable();
    for (size_t i = 0; i < a.size(); ++i)
        if (lower[static_cast<unsigned char>(a[i])] != lower[static_cast<unsigned char>(b[i])]) return false;
    return true;
}

uint32_t FoldedHash(const std::string& text) {
    const auto& lower = LowerCaseTable();
    uint32_t hash = 2166136261u;
    for (char c : text) hash = (hash ^ lower[static_cast<unsigned char>(c)]) * 16777619u;
    return hash;
}

FoldedTextSet::FoldedTextSet(size_t expected) {
    size_t size = 16;
    while (size < expected * 2) size *= 2;
    slots_.assign(size, -1);
    texts_.reserve(expected);
}

int FoldedTextSet::Find(const std::string& text) const {
    const size_t mask = slots_.size() - 1;
    for (size_t slot = FoldedHash(text) & mask;; slot = (slot + 1) & mask) {
        const int32_t index = slots_[slot];
        if (index < 0 || SameTextIgnoringCase(texts_[static_cast<size_t>(index)], text)) return index;
    }
}

bool FoldedTextSet::Insert(const std::string& text) {
    if (Find(text) >= 0) return false;
    const size_t mask = slots_.size() - 1;
    // Kept at most half full, so a free slot is always near.
    if ((texts_.size() + 1) * 2 > slots_.size()) {
        std::vector<std::string> texts = std::move(texts_);
        *this = FoldedTextSet(slots_.size());
        for (const std::string& kept : texts) Insert(kept);
        return Insert(text);
    }
    size_t slot = FoldedHash(text) & mask;
    while (slots_[slot] >= 0) slot = (slot + 1) & mask;
    slots_[slot] = static_cast<int32_t>(texts_.size());
    texts_.push_back(text);
    return true;
}
