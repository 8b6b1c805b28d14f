#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// The room a disk offers to files.
struct DiskCapacity {
    std::string label;            // as the author wrote it
    uint64_t bytes = 0;           // the data area
    uint64_t allocationUnit = 1;  // every file takes whole units of this size
};

// "720K", "1.44M", "2.88M" (formatted floppies), "CD" (a 74-minute CD-ROM), or a byte count.
std::optional<DiskCapacity> ParseDiskSize(std::string_view text);

// What a file of `size` bytes takes of the disk.
uint64_t SpaceTaken(uint64_t size, const DiskCapacity& capacity);

// 1457664 as "1,457,664".
std::string GroupedDigits(uint64_t value);
