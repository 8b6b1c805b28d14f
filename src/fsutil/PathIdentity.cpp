#include "fsutil/PathIdentity.h"

#include <windows.h>

#include "base/LowerCase.h"
#include "base/PathQuery.h"

namespace {

std::string FullPath(const std::string& path) {
    return QueryPath([&](char* buffer, DWORD size) { return GetFullPathNameA(path.c_str(), size, buffer, nullptr); });
}

// The long form of the longest part of the path that exists, the rest as it is.
std::string LongPath(const std::string& path) {
    const std::string existing =
        QueryPath([&](char* buffer, DWORD size) { return GetLongPathNameA(path.c_str(), buffer, size); });
    if (!existing.empty()) return existing;
    const size_t slash = path.find_last_of('\\');
    if (slash == std::string::npos || slash + 1 >= path.size()) return path;
    std::string longer = LongPath(path.substr(0, slash + 1));
    return longer.append(path, slash + 1);
}

}  // namespace

std::string PathIdentity(const std::string& path) {
    std::string identity = FullPath(path);
    if (identity.empty()) return {};
    identity = LongPath(identity);
    while (!identity.empty() && identity.back() == '\\') identity.pop_back();
    FoldToLowerCase(identity);
    return identity;
}

bool IsWithinFolder(const std::string& path, const std::string& folder) {
    if (folder.empty()) return false;
    const std::string inner = PathIdentity(path), outer = PathIdentity(folder);
    return !outer.empty() && inner.rfind(outer, 0) == 0 && (inner.size() == outer.size() || inner[outer.size()] == '\\');
}
