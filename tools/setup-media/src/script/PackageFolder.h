#pragma once
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

// A package folder: install.ini, the licence, and the files, either in disk01/, disk02/, ...
// or all in the folder itself. Below that folder of its disk, a file lies where its destination
// puts it below the destination's root (its macro, drive or share): the file of
// %%INSTALLPATH%%\Data\x.txt is Data/x.txt, and, as before subfolders were read, may lie at the top
// instead (x.txt). Names are found without regard to case, as Windows finds them.
class PackageFolder {
public:
    explicit PackageFolder(std::filesystem::path folder);

    const std::filesystem::path& Folder() const { return folder_; }
    bool HasDiskFolders() const { return hasDiskFolders_; }
    // disk01/, disk02/, ... when the package has them, else the package folder for every disk.
    std::filesystem::path DiskFolder(int disk) const;

    // The file the destination names on disk `disk`: the one below the destination's root,
    // else the one of its name at the top; nothing when neither is a regular file.
    std::optional<std::filesystem::path> SourceOf(int disk, const std::string& destination) const;
    // Where SourceOf looks, relative to the package folder: "disk01/Data/x.txt or disk01/x.txt".
    std::string PlacesOf(int disk, const std::string& destination) const;
    // The folder below the disk's folder that the destination folder names below its root; the
    // disk's folder itself for a root alone; nothing when there is no such folder.
    std::optional<std::filesystem::path> FolderOf(int disk, const std::string& destinationFolder) const;

private:
    std::filesystem::path folder_;
    bool hasDiskFolders_;
};

// "Data\x.txt" for "%%INSTALLPATH%%\Data\x.txt", "C:\Data\x.txt" or "\\server\share\Data\x.txt":
// the path below its root; "" for a root alone. A destination without a root stays as it is.
std::string PathBelowRoot(const std::string& destination);
