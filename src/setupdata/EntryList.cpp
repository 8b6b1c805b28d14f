#include "setupdata/EntryList.h"

#include <windows.h>

#include <array>

namespace {

// Letter case folded by the system code page, as the profile functions match names.
// One table, so that comparing a long list stays cheap.
const std::array<unsigned char, 256>& LowerCaseTable() {
    static const std::array<unsigned char, 256> table = [] {
        std::array<unsigned char, 256> folded{};
        for (size_t c = 0; c < folded.size(); ++c) folded[c] = static_cast<unsigned char>(c);
        CharLowerBuffA(reinterpret_cast<char*>(folded.data() + 1), static_cast<DWORD>(folded.size() - 1));
        return folded;
    }();
    return table;
}

bool SameNameIgnoringCase(const std::string& a, const std::string& b) {
    if (a.size() != b.size()) return false;
    const auto& lower = LowerCaseTable();
    for (size_t i = 0; i < a.size(); ++i)
        if (lower[static_cast<unsigned char>(a[i])] != lower[static_cast<unsigned char>(b[i])]) return false;
    return true;
}

// A number that is the same for names that differ only in letter case, so a long list is mostly
// compared by numbers.
uint32_t FoldedHash(const std::string& name) {
    const auto& lower = LowerCaseTable();
    uint32_t hash = 2166136261u;
    for (char c : name) hash = (hash ^ lower[static_cast<unsigned char>(c)]) * 16777619u;
    return hash;
}

}  // namespace

int EntryList::IndexOf(const std::string& name) const {
    const uint32_t hash = FoldedHash(name);
    for (size_t i = 0; i < entries_.size(); ++i)
        if (hashes_[i] == hash && SameNameIgnoringCase(entries_[i].name, name)) return static_cast<int>(i);
    return -1;
}

void EntryList::Append(const std::string& name, const std::string& value) {
    entries_.push_back({name, value});
    hashes_.push_back(FoldedHash(name));
}

void EntryList::Replace(size_t i, const std::string& name, const std::string& value) { entries_[i] = {name, value}; }

void EntryList::Remove(size_t i) {
    entries_.erase(entries_.begin() + static_cast<std::ptrdiff_t>(i));
    hashes_.erase(hashes_.begin() + static_cast<std::ptrdiff_t>(i));
}
