#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "setupdata/FoldedText.h"

// The ordered name=value lines of one profile-file section, as ReadEntries fills them.
struct Entry {
    std::string name;
    std::string value;
};

class EntryList {
public:
    size_t Count() const { return entries_.size(); }
    bool Empty() const { return entries_.empty(); }
    const Entry& operator[](size_t i) const { return entries_[i]; }
    const std::string& Name(size_t i) const { return entries_[i].name; }
    const std::string& Value(size_t i) const { return entries_[i].value; }
    // "name=value", as the line stands in the list.
    std::string Line(size_t i) const { return entries_[i].name + "=" + entries_[i].value; }

    // Index of the first line whose name equals `name` without regard to case, or -1; found in
    // constant time, so a section of twenty thousand lines is read and looked up in a blink.
    int IndexOf(const std::string& name) const;
    void Append(const std::string& name, const std::string& value);
    void Replace(size_t i, const std::string& name, const std::string& value);
    void Remove(size_t i);

    std::vector<Entry>::const_iterator begin() const { return entries_.begin(); }
    std::vector<Entry>::const_iterator end() const { return entries_.end(); }

private:
    void Reindex();

    std::vector<Entry> entries_;
    FoldedTextSet names_{0};
    std::vector<size_t> first_;  // the first line of each of names_, in its order
};
