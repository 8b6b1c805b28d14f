#pragma once
#include <cstdint>
#include <optional>
#include <string>

// The expanded length that the header of a file in the expansion library's format declares,
// or nothing when the file at `path` does not start with that header (it is then stored as
// it is). The expansion library itself never checks it, so a truncated file would expand
// to a shorter one without complaint.
std::optional<uint32_t> DeclaredExpandedLength(const std::string& path);
