#include "setupdata/EntryList.h"

#include "setupdata/FoldedText.h"

int EntryList::IndexOf(const std::string& name) const {
    const uint32_t hash = FoldedHash(name);
    for (size_t i = 0; i < entries_.size(); ++i)
        if (hashes_[i] == hash && SameTextIgnoringCase(entries_[i].name, name)) return static_cast<int>(i);
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
