#include "script/ProfileText.h"

#include <algorithm>
#include <set>

namespace {

constexpr std::string_view Utf8ByteOrderMark = "\xEF\xBB\xBF";

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\f' || c == '\v'; }

std::string_view Trimmed(std::string_view text) {
    while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
    return text;
}

// The profile functions drop one pair of matching quotes around a value.
std::string_view Unquoted(std::string_view value) {
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front())
        return value.substr(1, value.size() - 2);
    return value;
}

char AsciiLower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

ProfileEntry EntryOf(std::string_view line, size_t number) {
    const size_t equals = line.find('=');
    if (equals == std::string_view::npos) return {std::string(line), "", number};
    return {std::string(Trimmed(line.substr(0, equals))), std::string(Unquoted(Trimmed(line.substr(equals + 1)))),
            number};
}

}  // namespace

bool EqualIgnoringCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() &&
           std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) { return AsciiLower(x) == AsciiLower(y); });
}

std::string LowerCase(std::string_view text) {
    std::string lower(text);
    std::transform(lower.begin(), lower.end(), lower.begin(), AsciiLower);
    return lower;
}

ProfileText ProfileText::Parse(const std::string& content) {
    ProfileText profile;
    std::string_view rest = content;
    if (rest.starts_with(Utf8ByteOrderMark)) {
        profile.byteOrderMark_ = true;
        rest.remove_prefix(Utf8ByteOrderMark.size());
    }
    while (!rest.empty()) {
        const size_t end = std::min(rest.find('\n'), rest.size());
        const std::string_view line = Trimmed(rest.substr(0, end));
        rest.remove_prefix(std::min(end + 1, rest.size()));
        const size_t number = ++profile.lineCount_;
        const size_t close = line.rfind(']');
        if (line.starts_with('[') && close != std::string_view::npos && close > 0) {
            profile.sections_.push_back({std::string(line.substr(1, close - 1)), number, number, {}});
        } else if (!profile.sections_.empty()) {
            ProfileSection& current = profile.sections_.back();
            current.lastLine = number;
            if (!line.empty() && !line.starts_with(';')) current.entries.push_back(EntryOf(line, number));
        }
    }
    return profile;
}

const ProfileSection* ProfileText::Find(std::string_view section) const {
    for (const ProfileSection& candidate : sections_)
        if (EqualIgnoringCase(candidate.name, section)) return &candidate;
    return nullptr;
}

const ProfileEntry* ProfileText::FindEntry(std::string_view section, std::string_view key) const {
    const ProfileSection* found = Find(section);
    if (!found) return nullptr;
    for (const ProfileEntry& entry : found->entries)
        if (EqualIgnoringCase(entry.name, key)) return &entry;
    return nullptr;
}

std::vector<const ProfileEntry*> ListedEntries(const ProfileSection* section) {
    std::vector<const ProfileEntry*> listed;
    if (!section) return listed;
    std::set<std::string> seen;
    for (const ProfileEntry& entry : section->entries)
        if (seen.insert(LowerCase(entry.name)).second && !entry.value.empty()) listed.push_back(&entry);
    return listed;
}
