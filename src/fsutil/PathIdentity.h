#pragma once
#include <string>

// What a path names, in one spelling: full, in long names where the folders exist, in lower
// case, without a trailing "\" (a drive root is "c:"). Two spellings of one file or folder
// (an 8.3 name, another case, a trailing "\", a "..") have the same identity.
std::string PathIdentity(const std::string& path);
