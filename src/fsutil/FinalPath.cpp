#include "fsutil/FinalPath.h"

#include "base/LowerCase.h"
#include "base/PathQuery.h"
#include "base/TextEncoding.h"
#include "fsutil/PathIdentity.h"

FileHandle OpenToInspect(const std::string& path, DWORD access) {
    return FileHandle(CreateFileA(path.c_str(), access, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                  nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_OPEN_REPARSE_POINT,
                                  nullptr));
}

// The wide call, once, into room for the longest path there is: the narrow one asks the
// platform twice, for the size and then the name, and the uninstall asks for every file.
std::string FinalPathOf(HANDLE item) {
    constexpr DWORD Room = 32768;
    std::string wide(Room * sizeof(wchar_t), '\0');
    const DWORD length = GetFinalPathNameByHandleW(item, reinterpret_cast<wchar_t*>(wide.data()), Room,
                                                   FILE_NAME_NORMALIZED | VOLUME_NAME_DOS);
    wide.resize(length < Room ? length * sizeof(wchar_t) : 0);
    std::string path = FromUtf16(wide);
    if (path.rfind("\\\\?\\UNC\\", 0) == 0)
        path.erase(2, 6);
    else if (path.rfind("\\\\?\\", 0) == 0)
        path.erase(0, 4);
    FoldToLowerCase(path);
    return path;
}

std::string FinalPath(const std::string& path) {
    const FileHandle item = OpenToInspect(path);
    return item.IsValid() ? FinalPathOf(item.Get()) : std::string();
}

bool ReachesAsNamed(HANDLE item, const std::string& path) {
    const std::string final = FinalPathOf(item);
    if (final.empty()) return false;
    std::string full = QueryPath([&](char* buffer, DWORD size) { return GetFullPathNameA(path.c_str(), size, buffer, nullptr); });
    FoldToLowerCase(full);
    return final == full || final == PathIdentity(path);
}
