#pragma once
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "media/DiskSize.h"

// One file as a disk of the media carries it.
struct MediaFile {
    std::string name;               // its name on the disk
    std::filesystem::path content;  // where its bytes are now
    uint64_t size = 0;
    std::string origin;  // what it was made from, for messages
};

// What one disk carries, in the order it is written.
class DiskContent {
public:
    explicit DiskContent(int number) : number_(number) {}

    int Number() const { return number_; }
    const std::vector<MediaFile>& Files() const { return files_; }

    // Adds the file, unless the same content is there under that name already. Names are
    // compared as Windows compares them; throws BuildError when two files would share one.
    void Add(const MediaFile& file);
    bool Holds(const std::string& name) const;

private:
    int number_;
    std::vector<MediaFile> files_;
};

// Throws BuildError naming the first disk that does not fit, how much over, and the file
// from which on it is over.
void CheckFits(const std::vector<DiskContent>& disks, const DiskCapacity& capacity);
