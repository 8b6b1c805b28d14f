#include "common/PathRelations.h"

#include <algorithm>

#include "common/PathText.h"

namespace fs = std::filesystem;

namespace {

fs::path Normal(const fs::path& path) {
    fs::path normal = fs::weakly_canonical(fs::absolute(path));
    return normal.has_filename() ? normal : normal.parent_path();
}

}  // namespace

bool IsWithin(const fs::path& path, const fs::path& folder) {
    const fs::path inner = Normal(path);
    const fs::path outer = Normal(folder);
    return std::mismatch(outer.begin(), outer.end(), inner.begin(), inner.end()).first == outer.end();
}

fs::path RelativePathOf(const std::string& windowsName) {
    std::string name = windowsName;
    std::replace(name.begin(), name.end(), '\\', '/');
    return PathOfText(name).relative_path();
}
