#include "common/TextFile.h"

#include <fstream>
#include <iterator>
#include <system_error>

std::optional<std::string> ReadWholeFile(const std::filesystem::path& path) {
    std::error_code error;
    if (std::filesystem::is_directory(path, error)) return std::nullopt;
    std::ifstream in(path, std::ios::binary);
    if (!in) return std::nullopt;
    // An empty file is an empty text, not a failure.
    std::string content(std::istreambuf_iterator<char>(in), {});
    if (in.bad()) return std::nullopt;
    return content;
}
