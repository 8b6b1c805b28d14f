#include "common/PathRelations.h"

#include <algorithm>

#include "common/PathText.h"

namespace fs = std::filesystem;

namespace {

// `path` as an absolute path with the links and ".." of its existing part resolved.
fs::path Resolved(const fs::path& path) {
    std::error_code error;
    const fs::path resolved = fs::weakly_canonical(fs::absolute(path), error);
    return error ? fs::absolute(path).lexically_normal() : resolved;
}

}  // namespace

// Compared by identity, as the platform resolves names: `path` or the nearest of its folders that
// exists must be the very file-system object `folder` is (the same device and file number, the
// platform's file IDs), whatever the spelling, the letter case, a short name or a link.
bool IsWithin(const fs::path& path, const fs::path& folder) {
    std::error_code error;
    const fs::path outer = Resolved(folder);
    if (!fs::exists(outer, error)) return false;
    for (fs::path inner = Resolved(path);; inner = inner.parent_path()) {
        if (fs::exists(inner, error) && fs::equivalent(inner, outer, error)) return true;
        if (inner == inner.parent_path()) return false;
    }
}

fs::path RelativePathOf(const std::string& windowsName) {
    std::string name = windowsName;
    std::replace(name.begin(), name.end(), '\\', '/');
    return PathOfText(name).relative_path();
}
