#include "uninstall/LoggedItem.h"

#include <windows.h>

#include "base/FullPath.h"
#include "base/NotFoundError.h"
#include "base/PathQuery.h"
#include "fsutil/DeleteOrSchedule.h"
#include "fsutil/FinalPath.h"
#include "fsutil/PathIdentity.h"
#include "uninstall/ProtectedFolders.h"

namespace {

enum class Kind { File, Folder };

// Whether the open `item` is what `path` names when no link is followed: the platform's final
// path equals the logged one, spelt in full, in long names where the log used short ones.
bool IsWhatWasLogged(HANDLE item, const std::string& path) {
    const std::string final = FinalPathOf(item);
    if (final.empty()) return false;
    std::string full = QueryPath([&](char* buffer, DWORD size) { return GetFullPathNameA(path.c_str(), size, buffer, nullptr); });
    CharLowerBuffA(full.data(), static_cast<DWORD>(full.size()));
    return final == full || final == PathIdentity(path);
}

// Only the attributes: the whole information also asks for the volume's, which is slow.
bool IsKind(HANDLE item, Kind kind) {
    FILE_BASIC_INFO info;
    if (!GetFileInformationByHandleEx(item, FileBasicInfo, &info, sizeof info) ||
        (info.FileAttributes & FILE_ATTRIBUTE_REPARSE_POINT))
        return false;
    return ((info.FileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) == (kind == Kind::Folder);
}

bool DeleteThrough(HANDLE item) {
    FILE_DISPOSITION_INFO disposition{TRUE};
    return SetFileInformationByHandle(item, FileDispositionInfo, &disposition, sizeof disposition);
}

// The common case in one open and one question: a file opened as a file (a folder cannot be,
// without backup semantics) and through any link, so its final path is the logged one only when
// it is the file the install made there. Anything else takes the careful way below.
bool RemoveFileAsLogged(const std::string& path) {
    const FileHandle file(CreateFileA(path.c_str(), DELETE | FILE_READ_ATTRIBUTES,
                                      FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                                      0, nullptr));
    return file.IsValid() && IsWhatWasLogged(file.Get(), path) && DeleteThrough(file.Get());
}

Removal Remove(const std::string& path, Kind kind) {
    if (!IsFullPath(path)) return Removal::LeftAlone;
    if (kind == Kind::File && RemoveFileAsLogged(path)) return Removal::Done;
    FileHandle item = OpenToInspect(path, DELETE | FILE_READ_ATTRIBUTES);
    const bool canDelete = item.IsValid();
    // In use, or not to be deleted now: still looked at before it is handed to the restart.
    if (!canDelete) {
        if (IsNotFoundError(GetLastError())) return Removal::Done;
        item = OpenToInspect(path);
        if (!item.IsValid()) return IsNotFoundError(GetLastError()) ? Removal::Done : Removal::LeftAlone;
    }
    if (!IsKind(item.Get(), kind) || !IsWhatWasLogged(item.Get(), path)) return Removal::LeftAlone;
    if (canDelete && DeleteThrough(item.Get())) return Removal::Done;
    item.Reset();
    if (kind == Kind::File)
        DeleteFileOrSchedule(path);
    else
        RemoveDirectoryOrSchedule(path);
    return Removal::Done;
}

}  // namespace

Removal RemoveLoggedFile(const std::string& path) { return Remove(path, Kind::File); }

bool RemoveReadLog(const std::string& path, const std::string& finalPath) {
    const FileHandle log = OpenToInspect(path, DELETE | FILE_READ_ATTRIBUTES);
    return log.IsValid() && !finalPath.empty() && FinalPathOf(log.Get()) == finalPath && DeleteThrough(log.Get());
}

Removal RemoveLoggedFolder(const std::string& path, const ProtectedFolders& platformFolders) {
    if (IsFullPath(path) && platformFolders.Contains(path)) return Removal::Done;
    return Remove(path, Kind::Folder);
}
