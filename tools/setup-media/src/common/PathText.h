#pragma once
#include <filesystem>
#include <string>
#include <string_view>

// The tool's text is UTF-8 on every system. A path made from a std::string, or read back with
// path::string(), goes through the C runtime's code page on Windows, byte by byte; these two go
// through UTF-8 on both systems.

std::filesystem::path PathOfText(std::string_view utf8);
std::string TextOfPath(const std::filesystem::path& path);
// With "/" between folders on every system, for messages and notes.
std::string GenericTextOfPath(const std::filesystem::path& path);
