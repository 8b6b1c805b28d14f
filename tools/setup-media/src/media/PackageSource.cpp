#include "media/PackageSource.h"

#include <algorithm>

#include "common/FileLookup.h"
#include "common/PathText.h"
#include "media/BuildError.h"
#include "script/ProfileText.h"
#include "script/SetupScript.h"

namespace fs = std::filesystem;

PackageSource::PackageSource(fs::path folder)
    : folder_(std::move(folder)), hasDiskFolders_(fs::is_directory(folder_ / DiskFolderName(1))) {}

fs::path PackageSource::FolderOf(int disk) const { return hasDiskFolders_ ? folder_ / DiskFolderName(disk) : folder_; }

fs::path PackageSource::FileFor(int disk, const std::string& name) const {
    const fs::path folder = FolderOf(disk);
    const std::optional<fs::path> found = FindIgnoringCase(folder, name);
    std::error_code error;
    if (!found)
        throw BuildError(TextOfPath(folder / PathOfText(name)) + " is missing (named for disk " +
                         std::to_string(disk) + ")");
    if (!fs::is_regular_file(*found, error)) throw BuildError(TextOfPath(*found) + " is not a file");
    used_.insert(*found);
    return *found;
}

// Where names ignore case, the script's spelling reaches a file the folder lists in another:
// the same file, not an unused one. Where they do not, such a file is another one.
bool PackageSource::IsUsed(const fs::path& listed) const {
    if (used_.count(listed)) return true;
    const std::string name = TextOfPath(listed.filename());
    return std::any_of(used_.begin(), used_.end(), [&](const fs::path& used) {
        std::error_code error;
        return EqualIgnoringCase(TextOfPath(used.filename()), name) && fs::equivalent(used, listed, error);
    });
}

std::vector<std::string> PackageSource::UnusedDiskFiles() const {
    std::vector<std::string> unused;
    if (!hasDiskFolders_) return unused;
    for (int disk = 1; fs::is_directory(FolderOf(disk)); ++disk) {
        std::error_code error;
        for (fs::directory_iterator it(FolderOf(disk), error), end; !error && it != end; it.increment(error))
            if (it->is_regular_file() && !IsUsed(it->path()))
                unused.push_back(DiskFolderName(disk) + "/" + TextOfPath(it->path().filename()));
    }
    std::sort(unused.begin(), unused.end());
    return unused;
}
