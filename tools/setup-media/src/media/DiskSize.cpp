#include "media/DiskSize.h"

#include <algorithm>
#include <charconv>

#include "script/ProfileText.h"

namespace {

struct KnownDisk {
    std::string_view name;
    uint64_t bytes;
    uint64_t allocationUnit;
};

// Data areas after boot sector, FATs and root folder: 1426 sectors in clusters of two,
// 2847 single-sector clusters, 5726 sectors in clusters of two; 333,000 CD sectors.
constexpr KnownDisk KnownDisks[] = {
    {"720K", 730112, 1024},
    {"1.44M", 1457664, 512},
    {"2.88M", 2931712, 1024},
    {"CD", 681984000, 2048},
};

}  // namespace

std::optional<DiskCapacity> ParseDiskSize(std::string_view text) {
    for (const KnownDisk& disk : KnownDisks)
        if (EqualIgnoringCase(text, disk.name))
            return DiskCapacity{std::string(disk.name), disk.bytes, disk.allocationUnit};
    uint64_t bytes = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), bytes);
    if (error != std::errc() || end != text.data() + text.size() || bytes == 0) return std::nullopt;
    return DiskCapacity{std::string(text) + " bytes", bytes, 1};
}

uint64_t SpaceTaken(uint64_t size, const DiskCapacity& capacity) {
    const uint64_t unit = capacity.allocationUnit;
    return (size + unit - 1) / unit * unit;
}

std::string GroupedDigits(uint64_t value) {
    const std::string digits = std::to_string(value);
    std::string grouped;
    for (size_t i = 0; i < digits.size(); ++i) {
        if (i > 0 && (digits.size() - i) % 3 == 0) grouped += ',';
        grouped += digits[i];
    }
    return grouped;
}
