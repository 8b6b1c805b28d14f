#pragma once
#include <optional>
#include <string>

// What Windows refuses in the names of files and folders.

// Why Windows cannot make a file or folder of that name at all ("holds a character ...", "is
// the name of a Windows device"); nothing when it can.
std::optional<std::string> CharacterFault(const std::string& name);
// As CharacterFault, and a file name that ends in a dot or blank, which Windows drops: the file
// would not have the name the log records.
std::optional<std::string> NameFault(const std::string& name);

// The first part of `path` that Windows cannot make (CharacterFault), and why, as "the name "a|b"
// holds a character ..."; nothing when every part can be made. "\" and "/" part folders; a full
// path is judged below its drive or share.
std::optional<std::string> PathFault(const std::string& path);
