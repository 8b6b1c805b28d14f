#include "common/TextFile.h"

#include <fstream>
#include <sstream>

std::optional<std::string> ReadWholeFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream content;
    if (!in || !(content << in.rdbuf())) return std::nullopt;
    return content.str();
}
