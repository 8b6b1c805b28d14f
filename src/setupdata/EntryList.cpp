#include "setupdata/EntryList.h"

int EntryList::IndexOf(const std::string& name) const {
    const int found = names_.Find(name);
    return found < 0 ? -1 : static_cast<int>(first_[static_cast<size_t>(found)]);
}

void EntryList::Append(const std::string& name, const std::string& value) {
    entries_.push_back({name, value});
    if (names_.Insert(name)) first_.push_back(entries_.size() - 1);
}

void EntryList::Replace(size_t i, const std::string& name, const std::string& value) {
    const bool sameName = SameTextIgnoringCase(entries_[i].name, name);
    entries_[i] = {name, value};
    if (!sameName) Reindex();
}

void EntryList::Remove(size_t i) {
    entries_.erase(entries_.begin() + static_cast<std::ptrdiff_t>(i));
    Reindex();
}

void EntryList::Reindex() {
    names_ = FoldedTextSet(entries_.size());
    first_.clear();
    for (size_t i = 0; i < entries_.size(); ++i)
        if (names_.Insert(entries_[i].name)) first_.push_back(i);
}
