#include "setupdata/ScriptGroups.h"

#include "base/AsciiCase.h"

namespace {

constexpr size_t KeyValueGroupSize = 4;
constexpr size_t ShortcutPairSize = 2;

}  // namespace

std::vector<KeyValueGroup> KeyValueGroups(const EntryList& entries) {
    std::vector<KeyValueGroup> groups;
    for (size_t i = 0; i + KeyValueGroupSize <= entries.Count(); i += KeyValueGroupSize)
        groups.push_back({entries.Value(i), entries.Value(i + 1), entries.Value(i + 2), entries.Value(i + 3)});
    return groups;
}

std::vector<ShortcutPair> ShortcutPairs(const EntryList& entries) {
    std::vector<ShortcutPair> pairs;
    for (size_t i = 0; i + ShortcutPairSize <= entries.Count(); i += ShortcutPairSize)
        pairs.push_back({entries.Value(i), entries.Value(i + 1)});
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
