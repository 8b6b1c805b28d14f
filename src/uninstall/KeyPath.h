#pragma once
#include <optional>
#include <string>

// A logged registry key split for deletion: the root name before the first "\" and the key
// path after it, without the "\".
struct KeyPath {
    std::string rootName;
    std::string keyPath;
};

// Empty for a text without any "\": it names no key below a root.
std::optional<KeyPath> SplitKeyPath(const std::string& text);
