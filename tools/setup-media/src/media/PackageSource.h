#pragma once
#include <filesystem>
#include <set>
#include <string>
#include <vector>

#include "script/PackageFolder.h"
#include "script/SetupScript.h"

// The package folder as a build takes files from it (PackageFolder.h says where each lies), and
// what it leaves out.
class PackageSource {
public:
    explicit PackageSource(std::filesystem::path folder) : package_(std::move(folder)) {}

    const PackageFolder& Package() const { return package_; }
    const std::filesystem::path& Folder() const { return package_.Folder(); }

    // The file of the script's entry; throws BuildError naming the entry's line in the author's
    // script (`scriptName`, the line `line`) and where it was looked for when there is none.
    std::filesystem::path FileFor(const ProgramFile& file, const std::string& scriptName, size_t line) const;

    // Files in the disk folders, and below them, that no FileFor call asked for, as "disk01/extra.txt".
    std::vector<std::string> UnusedDiskFiles() const;

private:
    bool IsUsed(const std::filesystem::path& listed) const;

    PackageFolder package_;
    mutable std::set<std::filesystem::path> used_;
};
