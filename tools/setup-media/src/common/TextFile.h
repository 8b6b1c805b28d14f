#pragma once
#include <filesystem>
#include <optional>
#include <string>

// The whole file as it is, byte for byte; nothing when it cannot be read.
std::optional<std::string> ReadWholeFile(const std::filesystem::path& path);
