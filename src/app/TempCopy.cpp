#include "app/TempCopy.h"

#include <windows.h>

#include "base/NotFoundError.h"
#include "base/PathQuery.h"

namespace {

std::string FullPath(const std::string& path) {
    return QueryPath([&](char* buffer, DWORD size) { return GetFullPathNameA(path.c_str(), size, buffer, nullptr); });
}

// Started on the Temp copy itself, the source must not be deleted as a stale copy.
bool SameFile(const std::string& a, const std::string& b) {
    const std::string fullA = FullPath(a);
    return !fullA.empty() && lstrcmpiA(fullA.c_str(), FullPath(b).c_str()) == 0;
}

}  // namespace

bool RemoveStaleFile(const std::string& path) { return DeleteFileA(path.c_str()) || IsNotFoundError(GetLastError()); }

bool CopyReplacing(const std::string& source, const std::string& target) {
    if (SameFile(source, target)) return GetFileAttributesA(target.c_str()) != INVALID_FILE_ATTRIBUTES;
    return RemoveStaleFile(target) && CopyFileA(source.c_str(), target.c_str(), FALSE);
}
