#pragma once
#include <cstddef>
#include <string>

// Reading files as bytes. Others may read and write a file while it is read.

// The whole file into `content`; false when it cannot be opened or read.
bool ReadWholeFile(const std::string& path, std::string& content);
// Up to `size` bytes from the start of the file; the count read, 0 when it cannot be opened or read.
size_t ReadFileStart(const std::string& path, unsigned char* buffer, size_t size);
