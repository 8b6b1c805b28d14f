#pragma once
#include <cstddef>
#include <string>

// Reading files as bytes. Others may read and write a file while it is read.

// The whole file into `content`; false when it cannot be opened or read.
bool ReadWholeFile(const std::string& path, std::string& content);
// A new file at `path` (one there is replaced) holding `content`; false when it cannot be written whole.
bool WriteWholeFile(const std::string& path, const std::string& content);
