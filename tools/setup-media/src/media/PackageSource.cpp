#include "media/PackageSource.h"

#include <algorithm>

#include "common/PathText.h"
#include "media/BuildError.h"
#include "script/ProfileText.h"

namespace fs = std::filesystem;

fs::path PackageSource::FileFor(const ProgramFile& file, const std::string& scriptName, size_t line) const {
    const std::optional<fs::path> found = package_.SourceOf(file.disk, file.entry->value);
    // The check tells this first; the file may have gone since.
    if (!found)
        throw BuildError(scriptName + ":" + std::to_string(line) + ": " + file.entry->value +
                         ": the package has no file " + package_.PlacesOf(file.disk, file.entry->value));
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
    if (!package_.HasDiskFolders()) return unused;
    for (int disk = 1; fs::is_directory(package_.DiskFolder(disk)); ++disk) {
        std::error_code error;
        for (fs::recursive_directory_iterator it(package_.DiskFolder(disk), error), end; !error && it != end;
             it.increment(error))
            if (it->is_regular_file() && !IsUsed(it->path()))
                unused.push_back(DiskFolderName(disk) + "/" +
                                 GenericTextOfPath(it->path().lexically_relative(package_.DiskFolder(disk))));
    }
    std::sort(unused.begin(), unused.end());
    return unused;
}
