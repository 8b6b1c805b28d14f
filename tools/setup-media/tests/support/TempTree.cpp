#include "support/TempTree.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <random>
#include <sstream>

namespace fs = std::filesystem;

TempTree::TempTree() {
    std::random_device seed;
    for (;;) {
        path_ = fs::temp_directory_path() / ("setup-media-test-" + std::to_string(seed()));
        if (fs::create_directory(path_)) break;
    }
}

TempTree::~TempTree() {
    std::error_code ignored;
    fs::remove_all(path_, ignored);
}

void WriteFile(const fs::path& path, const std::string& content) {
    fs::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << content;
}

std::string ReadFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream content;
    content << in.rdbuf();
    return content.str();
}

void EditFile(const fs::path& path, const std::vector<std::pair<std::string, std::string>>& edits) {
    std::string text = ReadFile(path);
    for (const auto& [from, to] : edits) {
        const size_t at = text.find(from);
        EXPECT_NE(at, std::string::npos) << from;
        if (at != std::string::npos) text.replace(at, from.size(), to);
    }
    WriteFile(path, text);
}

std::string Utf16Of(const std::string& ascii) {
    std::string wide = "\xFF\xFE";
    for (const char c : ascii) wide += std::string{c, '\0'};
    return wide;
}

Expanded ExpandWithMsexpand(const fs::path& compressed) {
    const fs::path output = compressed.string() + ".expanded";
    const std::string command = "msexpand <'" + compressed.string() + "' >'" + output.string() + "' 2>/dev/null";
    Expanded expanded{std::system(command.c_str()) == 0, ReadFile(output)};
    fs::remove(output);
    return expanded;
}

namespace {

// The first `length` characters a digest tool prints for `file`: its digest.
std::string DigestOf(const char* tool, size_t length, const fs::path& file) {
    const std::string command = std::string(tool) + " '" + file.string() + "'";
    FILE* pipe = popen(command.c_str(), "r");
    std::string digest(length, '\0');
    const bool read = pipe && std::fread(digest.data(), 1, length, pipe) == length;
    if (pipe) pclose(pipe);
    return read ? digest : "";
}

}  // namespace

std::string Sha256sum(const fs::path& file) { return DigestOf("sha256sum", 64, file); }

std::string Sha1sum(const fs::path& file) { return DigestOf("sha1sum", 40, file); }
