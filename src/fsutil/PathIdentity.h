#pragma once
#include <string>

// What a path names, in one spelling: full, in long names where the folders exist, in lower
// case, without a trailing "\" (a drive root is "c:"). Two spellings of one file or folder
// (an 8.3 name, another case, a trailing "\", a "..") have the same identity.
std::string PathIdentity(const std::string& path);

// Whether `path` is `folder` or lies below it, both compared by their identities; never for an
// empty folder.
bool IsWithinFolder(const std::string& path, const std::string& folder);
