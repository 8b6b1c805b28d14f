#include "setupdata/ScriptGroups.h"

#include "base/AsciiCase.h"

namespace {

constexpr size_t KeyValueGroupSize = 4;
constexpr size_t ShortcutPairSize = 2;

}  // namespace

// The lists are made at their length and then filled: growing them one element at a time would
// bring a copy of the vector's growing code for each kind of element into setup.exe.
std::vector<KeyValueGroup> KeyValueGroups(const EntryList& entries) {
    std::vector<KeyValueGroup> groups(entries.Count() / KeyValueGroupSize);
    for (size_t i = 0; i < groups.size(); ++i) {
        const size_t at = i * KeyValueGroupSize;
        groups[i] = {entries.Value(at), entries.Value(at + 1), entries.Value(at + 2), entries.Value(at + 3)};
    }
    return groups;
}

std::vector<ShortcutPair> ShortcutPairs(const EntryList& entries) {
    std::vector<ShortcutPair> pairs(entries.Count() / ShortcutPairSize);
    for (size_t i = 0; i < pairs.size(); ++i)
        pairs[i] = {entries.Value(i * ShortcutPairSize), entries.Value(i * ShortcutPairSize + 1)};
    return pairs;
}

std::optional<ShortcutReference> ParseShortcutReference(const std::string& text) {
    if (text.empty()) return std::nullopt;
    const size_t close = text.find(']', 1);
    if (close == std::string::npos) return std::nullopt;
    return ShortcutReference{text.substr(1, close - 1), text.substr(close + 1)};
}

bool IsStringType(const std::string& type) {
    static constexpr char stringType[] = "string";
    if (type.size() != sizeof stringType - 1) return false;
    for (size_t i = 0; i < type.size(); ++i)
        if (AsciiLower(type[i]) != stringType[i]) return false;
    return true;
}

std::string RegistryValueName(const std::string& valueName) { return valueName == "(Default)" ? "" : valueName; }
