#include "common/FileLookup.h"

#include <algorithm>
#include <system_error>

#include "common/LetterCase.h"
#include "common/PathText.h"

namespace {

namespace fs = std::filesystem;

std::optional<fs::path> ChildIgnoringCase(const fs::path& folder, std::string_view name) {
    std::error_code error;
    const fs::path exact = folder / PathOfText(name);
    if (fs::exists(exact, error)) return exact;
    // Of names that differ only in case, always the same one, whatever order the folder lists.
    std::optional<fs::path> found;
    for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error))
        if (EqualIgnoringCase(TextOfPath(it->path().filename()), name) && (!found || it->path() < *found))
            found = it->path();
    return found;
}

bool IsAbsoluteWindowsName(std::string_view name) {
    return name.starts_with('\\') || name.starts_with('/') || (name.size() > 1 && name[1] == ':');
}

}  // namespace

std::optional<fs::path> FindIgnoringCase(const fs::path& folder, std::string_view relativeName) {
    if (relativeName.empty() || IsAbsoluteWindowsName(relativeName)) return std::nullopt;
    fs::path found = folder;
    while (!relativeName.empty()) {
        const size_t end = std::min(relativeName.find_first_of("\\/"), relativeName.size());
        const std::string_view part = relativeName.substr(0, end);
        relativeName.remove_prefix(std::min(end + 1, relativeName.size()));
        if (part.empty() || part == ".") continue;
        if (part == "..") return std::nullopt;
        const std::optional<fs::path> child = ChildIgnoringCase(found, part);
        if (!child) return std::nullopt;
        found = *child;
    }
    return found;
}

bool HasFileIgnoringCase(const fs::path& folder, std::string_view relativeName) {
    const std::optional<fs::path> found = FindIgnoringCase(folder, relativeName);
    std::error_code error;
    return found && fs::is_regular_file(*found, error);
}
