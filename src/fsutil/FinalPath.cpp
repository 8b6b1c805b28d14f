#include "fsutil/FinalPath.h"

#include "base/PathQuery.h"

FileHandle OpenToInspect(const std::string& path, DWORD access) {
    return FileHandle(CreateFileA(path.c_str(), access, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                  nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_OPEN_REPARSE_POINT,
                                  nullptr));
}

std::string FinalPathOf(HANDLE item) {
    std::string path = QueryPath([item](char* buffer, DWORD size) {
        return GetFinalPathNameByHandleA(item, buffer, size, FILE_NAME_NORMALIZED | VOLUME_NAME_DOS);
    });
    if (path.rfind("\\\\?\\UNC\\", 0) == 0)
        path.erase(2, 6);
    else if (path.rfind("\\\\?\\", 0) == 0)
        path.erase(0, 4);
    CharLowerBuffA(path.data(), static_cast<DWORD>(path.size()));
    return path;
}

std::string FinalPath(const std::string& path) {
    const FileHandle item = OpenToInspect(path);
    return item.IsValid() ? FinalPathOf(item.Get()) : std::string();
}
