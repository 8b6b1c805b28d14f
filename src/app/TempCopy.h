#pragma once
#include <string>

// Deletes `path` if it is there; false only when a file is there and stays.
bool RemoveStaleFile(const std::string& path);

// Copies `source` to `target`, replacing it. The old target is removed first, so when the copy
// fails no file of an earlier run is left there to be read in its place. True on success.
bool CopyReplacing(const std::string& source, const std::string& target);
