#pragma once
#include <filesystem>
#include <string>
#include <utility>
#include <vector>

// A folder of the test's own below the system's temp folder, removed with its content.
class TempTree {
public:
    TempTree();
    ~TempTree();
    TempTree(const TempTree&) = delete;
    TempTree& operator=(const TempTree&) = delete;

    const std::filesystem::path& Path() const { return path_; }
    std::filesystem::path operator/(const std::string& name) const { return path_ / name; }

private:
    std::filesystem::path path_;
};

// Writes `content` to `path`, making its folders.
void WriteFile(const std::filesystem::path& path, const std::string& content);
// The whole file; empty when it cannot be read.
std::string ReadFile(const std::filesystem::path& path);
// The file with each `from` replaced by its `to`, the first of each, in turn; a `from` the file
// does not hold fails the test.
void EditFile(const std::filesystem::path& path, const std::vector<std::pair<std::string, std::string>>& edits);

// An ASCII text as UTF-16LE after a byte-order mark, as the media's install.ini holds it.
std::string Utf16Of(const std::string& ascii);

// What Debian's msexpand makes of the compressed file, and whether it ran.
struct Expanded {
    bool ok = false;
    std::string content;
};
Expanded ExpandWithMsexpand(const std::filesystem::path& compressed);

// The SHA-256 of the file as Debian's sha256sum gives it, and its SHA-1 as sha1sum does.
std::string Sha256sum(const std::filesystem::path& file);
std::string Sha1sum(const std::filesystem::path& file);
