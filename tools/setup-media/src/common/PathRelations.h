#pragma once
#include <filesystem>
#include <string>

// True when `path` is `folder` or lies below it; both are taken as absolute, normal paths.
bool IsWithin(const std::filesystem::path& path, const std::filesystem::path& folder);

// A Windows-style relative name ("docs\licence.txt") as a path on this system.
std::filesystem::path RelativePathOf(const std::string& windowsName);
