#pragma once
#include <filesystem>
#include <optional>
#include <string_view>

// Finds `relativeName` (a Windows-style relative name: "\" or "/" between folders) below
// `folder` as Windows would, without regard to case. Nothing when it is not there, or when the
// name is absolute or climbs out with "..", which no media can carry.
std::optional<std::filesystem::path> FindIgnoringCase(const std::filesystem::path& folder,
                                                      std::string_view relativeName);

// True for a regular file found that way.
bool HasFileIgnoringCase(const std::filesystem::path& folder, std::string_view relativeName);
