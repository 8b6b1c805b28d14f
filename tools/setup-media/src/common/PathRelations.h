#pragma once
#include <filesystem>
#include <string>

// True when `path` is `folder` or lies below it, judged by what the names reach, not by how they
// are spelled. A `folder` that does not exist holds nothing.
bool IsWithin(const std::filesystem::path& path, const std::filesystem::path& folder);

// A Windows-style relative name ("docs\licence.txt") as a path on this system.
std::filesystem::path RelativePathOf(const std::string& windowsName);
