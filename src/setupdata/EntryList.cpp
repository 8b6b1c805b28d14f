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

}  // namespace

int EntryList::IndexOf(const std::string& name) const {
    for (size_t i = 0; i < entries_.size(); ++i)
        if (SameNameIgnoringCase(entries_[i].name, name)) return static_cast<int>(i);
    return -1;
}

void EntryList::Append(const std::string& name, const std::string& value) { entries_.push_back({name, value}); }

void EntryList::Replace(size_t i, const std::string& name, const std::string& value) { entries_[i] = {name, value}; }

void EntryList::Remove(size_t i) { entries_.erase(entries_.begin() + static_cast<std::ptrdiff_t>(i)); }
