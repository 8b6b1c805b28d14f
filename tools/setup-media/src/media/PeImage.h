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
    uint16_t machine = 0;            // the processor it is built for
};

// Nothing when `file` is not a Windows program whose headers and sections lie inside it, with
// the checksum and the certificate-table entry inside its image.
std::optional<PeLayout> ReadPeLayout(const std::string& file);

// The checksum the platform computes for `file`, whose checksum field is at `checksumAt`.
uint32_t PeChecksum(const std::string& file, size_t checksumAt);
