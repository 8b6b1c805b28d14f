#pragma once
#include <optional>
#include <string>
#include <vector>

#include "setupdata/EntryList.h"

// [KeyValues] is walked four entries at a time.
struct KeyValueGroup {
    std::string valueName;  // "(Default)" stands for the key's unnamed value
    std::string keyRef;     // the name of a [RegistryKeys] key
    std::string data;
    std::string type;       // "string" in any letter case; anything else is an integer
};

// [Icons], [StartButton] and [Desktop] are walked two entries at a time.
struct ShortcutPair {
    std::string reference;  // "[section]key" of the target path
    std::string name;       // the shortcut file's name without ".lnk", and its description
};

struct ShortcutReference {
    std::string section;
    std::string key;
};

// Whole groups in file order; one to three entries left over are ignored.
std::vector<KeyValueGroup> KeyValueGroups(const EntryList& entries);
// Whole pairs in file order; a last odd entry is ignored.
std::vector<ShortcutPair> ShortcutPairs(const EntryList& entries);
// The first character is skipped whatever it is; the section runs to the first "]" after
// it and the key is the rest. Without such a "]" the reference names nothing.
std::optional<ShortcutReference> ParseShortcutReference(const std::string& text);

// True for "string" in any letter case.
bool IsStringType(const std::string& type);
// The registry's name for a value: "(Default)", exactly so, is the unnamed value.
std::string RegistryValueName(const std::string& valueName);
