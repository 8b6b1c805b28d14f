#pragma once
#include <filesystem>
#include <optional>
#include <ostream>

#include "common/TextEncoding.h"
#include "media/DiskSize.h"

struct BuildOptions {
    std::filesystem::path package;
    std::filesystem::path setupExe;
    std::filesystem::path out;
    std::filesystem::path oneFile;  // when set, one executable in place of `out`
    std::optional<DiskCapacity> diskSize;
    bool spread = false;
    bool force = false;
    ScriptEncoding scriptEncoding;
};

// Turns the package folder into setup media, one folder per disk in `out`, or into the
// one-file setup `oneFile`. The script's
// findings and other notes go to `notes`, a line per disk made to `report`. Throws BuildError
// (and leaves `out` or `oneFile` as it was) when the media cannot be made.
void BuildMedia(const BuildOptions& options, std::ostream& report, std::ostream& notes);
