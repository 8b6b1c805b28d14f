#pragma once
#include <filesystem>
#include <set>
#include <string>
#include <vector>

// A package folder: install.ini, the licence, and the files, either in disk01/, disk02/, ...
// or all in the folder itself.
class PackageSource {
public:
    explicit PackageSource(std::filesystem::path folder);

    const std::filesystem::path& Folder() const { return folder_; }
    bool HasDiskFolders() const { return hasDiskFolders_; }

    // The file that the script names `name` for disk `disk`; throws BuildError when there is
    // none or it is not a regular file.
    std::filesystem::path FileFor(int disk, const std::string& name) const;

    // Files in the disk folders that no FileFor call asked for, as "disk01/extra.txt".
    std::vector<std::string> UnusedDiskFiles() const;

private:
    std::filesystem::path FolderOf(int disk) const;
    bool IsUsed(const std::filesystem::path& listed) const;

    std::filesystem::path folder_;
    bool hasDiskFolders_;
    mutable std::set<std::filesystem::path> used_;
};
