#pragma once
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

// Where a Windows program's file keeps what a one-file setup depends on.
struct PeLayout {
    uint64_t imageEnd = 0;           // the end of the last section's raw data
    size_t checksumAt = 0;           // the checksum field
    size_t certificateEntryAt = 0;   // the data-directory entry of the certificate table
    uint32_t certificateAt = 0;      // the table's file offset; 0 when the file is not signed
    uint32_t certificateSize = 0;
};

// Nothing when `file` is not a Windows program.
std::optional<PeLayout> ReadPeLayout(const std::string& file);

// The checksum the platform computes for `file`, whose checksum field is at `checksumAt`.
uint32_t PeChecksum(const std::string& file, size_t checksumAt);

// Numbers as the file stores them.
uint16_t LittleEndian16(const std::string& bytes, size_t at);
uint32_t LittleEndian32(const std::string& bytes, size_t at);
void PutLittleEndian(std::string& bytes, size_t at, uint64_t value, size_t size);
