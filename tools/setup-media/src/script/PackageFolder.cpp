#include "script/PackageFolder.h"

#include "common/FileLookup.h"
#include "common/PathText.h"
#include "fsutil/FileNames.h"
#include "script/SetupScript.h"
#include "setupdata/MacroExpansion.h"

namespace fs = std::filesystem;

namespace {

// The length of the root `destination` starts with: a macro, "C:\" or "\\server\share\"; 0 for none.
size_t RootLength(const std::string& destination) {
    if (const PathMacro* macro = PathMacroAt(destination)) return macro->token.size();
    if (destination.size() >= 3 && destination[1] == ':' && destination[2] == '\\') return 3;
    if (!destination.starts_with("\\\\")) return 0;
    const size_t server = destination.find('\\', 2);
    const size_t share = server == std::string::npos ? server : destination.find('\\', server + 1);
    return share == std::string::npos ? destination.size() : share + 1;
}

std::string Relative(const fs::path& path, const fs::path& folder) {
    return GenericTextOfPath(path.lexically_relative(folder));
}

std::string Joined(const std::string& folder, const std::string& name) {
    std::string joined = folder.empty() ? name : folder + "/" + name;
    for (char& c : joined)
        if (c == '\\') c = '/';
    return joined;
}

}  // namespace

std::string PathBelowRoot(const std::string& destination) {
    std::string below = destination.substr(RootLength(destination));
    while (below.starts_with('\\')) below.erase(0, 1);
    return below;
}

PackageFolder::PackageFolder(fs::path folder)
    : folder_(std::move(folder)), hasDiskFolders_(fs::is_directory(folder_ / DiskFolderName(1))) {}

fs::path PackageFolder::DiskFolder(int disk) const { return hasDiskFolders_ ? folder_ / DiskFolderName(disk) : folder_; }

std::optional<fs::path> PackageFolder::SourceOf(int disk, const std::string& destination) const {
    const std::string below = PathBelowRoot(destination);
    for (const std::string& name : {below, FileNamePart(destination)}) {
        std::error_code error;
        const std::optional<fs::path> found = FindIgnoringCase(DiskFolder(disk), name);
        if (found && fs::is_regular_file(*found, error)) return found;
    }
    return std::nullopt;
}

std::string PackageFolder::PlacesOf(int disk, const std::string& destination) const {
    const std::string top = Relative(DiskFolder(disk), folder_);
    const std::string below = PathBelowRoot(destination);
    const std::string name = FileNamePart(destination);
    const std::string places = Joined(top == "." ? "" : top, below);
    return below == name ? places : places + " or " + Joined(top == "." ? "" : top, name);
}

std::optional<fs::path> PackageFolder::FolderOf(int disk, const std::string& destinationFolder) const {
    const std::string below = PathBelowRoot(destinationFolder);
    std::error_code error;
    const std::optional<fs::path> found = below.empty() ? DiskFolder(disk) : FindIgnoringCase(DiskFolder(disk), below);
    if (found && fs::is_directory(*found, error)) return found;
    return std::nullopt;
}
