#pragma once
#include <windows.h>

#include <cstdint>

class DigestStream;

// Reading a stretch of an open file by its position, whatever the file pointer was. Each gives
// false when the file cannot be read that far.

// Fills `buffer` with `size` bytes from `at`.
bool ReadFileBytes(HANDLE file, uint64_t at, void* buffer, DWORD size);
// Feeds `length` bytes from `at` to `digest`.
bool AddFileBytes(DigestStream& digest, HANDLE file, uint64_t at, uint64_t length);
// Writes `length` bytes from `at` to `target`, a file open for writing.
bool CopyFileBytes(HANDLE file, uint64_t at, uint64_t length, HANDLE target);
