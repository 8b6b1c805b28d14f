#pragma once
#include <windows.h>

#include <cstdint>

#include "base/ByteSink.h"

class DigestStream;

// Reading a stretch of an open file by its position, whatever the file pointer was. Each gives
// false when the file cannot be read that far.

// Writes what it is sent to a file open for writing.
class FileSink : public ByteSink {
public:
    explicit FileSink(HANDLE file) : file_(file) {}
    bool Write(const unsigned char* bytes, size_t size) override;

private:
    HANDLE file_;
};

// Fills `buffer` with `size` bytes from `at`.
bool ReadFileBytes(HANDLE file, uint64_t at, void* buffer, DWORD size);
// Sends `length` bytes from `at` to `sink`, in pieces; false too when the sink refuses one.
bool SendFileBytes(HANDLE file, uint64_t at, uint64_t length, ByteSink& sink);
// Feeds `length` bytes from `at` to `digest`.
bool AddFileBytes(DigestStream& digest, HANDLE file, uint64_t at, uint64_t length);
