#pragma once
#include <cstdint>
#include <filesystem>
#include <map>
#include <string>
#include <utility>

struct CompressedFile {
    std::filesystem::path path;
    uint64_t size = 0;
};

// The package files compressed, each once, into a folder, ready to go onto the disks.
class CompressedPool {
public:
    explicit CompressedPool(std::filesystem::path folder);

    // `source` compressed for the media name of `name` (the header tells how to restore the
    // name); the same file for the same source and name character.
    const CompressedFile& Compress(const std::filesystem::path& source, const std::string& name);

private:
    std::filesystem::path folder_;
    std::map<std::pair<std::filesystem::path, char>, CompressedFile> files_;
};

// The header's character for `name`: the one its compressed name replaced by "_", or 0 when
// the "_" was appended.
char ReplacedCharacter(const std::string& name);
