#include "uninstall/LoggedItem.h"

#include <windows.h>

#include "base/FormatText.h"
#include "base/FullPath.h"
#include "base/NotFoundError.h"
#include "fsutil/DeleteOrSchedule.h"
#include "fsutil/FinalPath.h"
#include "fsutil/ThroughHandle.h"
#include "fsutil/UserScope.h"
#include "state/RunPlan.h"
#include "state/SetupState.h"
#include "uninstall/ProtectedFolders.h"

namespace {

enum class Kind { File, Folder };

// Only the attributes: the whole information also asks for the volume's, which is slow.
bool IsKind(HANDLE item, Kind kind) {
    FILE_BASIC_INFO info;
    if (!GetFileInformationByHandleEx(item, FileBasicInfo, &info, sizeof info) ||
        (info.FileAttributes & FILE_ATTRIBUTE_REPARSE_POINT))
        return false;
    return ((info.FileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) == (kind == Kind::Folder);
}

// The common case in one open and one question: a file opened as a file (a folder cannot be,
// without backup semantics) and through any link, so its final path is the logged one only when
// it is the file the install made there. Anything else takes the careful way below.
bool RemoveFileAsLogged(const std::string& path) {
    const FileHandle file(CreateFileA(path.c_str(), DELETE | FILE_READ_ATTRIBUTES,
                                      FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                                      0, nullptr));
    return file.IsValid() && ReachesAsNamed(file.Get(), path) && DeleteThrough(file.Get());
}

// A file that cannot be deleted now (a running program's) goes at the next restart, but not by
// its path: a link put on the way before then would send that delete elsewhere, carried out as the
// system. It is moved, through the handle that was checked, into the run's working folder, which
// only the run's own account may change, and scheduled from there.
bool MoveOutForRestart(HANDLE file) {
    static unsigned moved = 0;
    const std::string target = FormatText("%srestart-%u.tmp", Setup.TempDir.c_str(), ++moved);
    if (!RenameThrough(file, target)) return false;
    ScheduleDeletion(target);
    return true;
}

// What a plan says would go, by the same checks, acting on nothing: a program that holds a file
// may keep it when the uninstall runs, which only then can be told.
Removal Planned(const std::string& path, Kind kind) {
    const FileHandle item = OpenToInspect(path);
    if (!item.IsValid()) return IsNotFoundError(GetLastError()) ? Removal::Done : Removal::LeftAlone;
    if (!IsKind(item.Get(), kind) || !ReachesAsNamed(item.Get(), path)) return Removal::LeftAlone;
    Setup.Plan->Add(PlanKind::Remove, Setup.Plan->removing, path, true);
    return Removal::Done;
}

// A package for the user alone removes nothing outside that person's folders, whatever its log
// names: what it opens must be what the path names, which lies inside them.
Removal Remove(const std::string& path, Kind kind) {
    if (!IsFullPath(path) || !InPersonsAreas(path)) return Removal::LeftAlone;
    if (Setup.Plan) return Planned(path, kind);
    if (kind == Kind::File && RemoveFileAsLogged(path)) return Removal::Done;
    FileHandle item = OpenToInspect(path, DELETE | FILE_READ_ATTRIBUTES);
    const bool canDelete = item.IsValid();
    // In use, or not to be deleted now: still looked at before anything else is tried.
    if (!canDelete) {
        if (IsNotFoundError(GetLastError())) return Removal::Done;
        item = OpenToInspect(path);
        if (!item.IsValid()) return IsNotFoundError(GetLastError()) ? Removal::Done : Removal::LeftAlone;
    }
    if (!IsKind(item.Get(), kind) || !ReachesAsNamed(item.Get(), path)) return Removal::LeftAlone;
    if (canDelete && DeleteThrough(item.Get())) return Removal::Done;
    // Held open by a program that lets no one delete or move it: it stays, and is reported.
    if (kind == Kind::File) return canDelete && MoveOutForRestart(item.Get()) ? Removal::Done : Removal::InUse;
    item.Reset();
    RemoveDirectoryOrSchedule(path);
    return Removal::Done;
}

}  // namespace

Removal RemoveLoggedFile(const std::string& path) { return Remove(path, Kind::File); }

bool RemoveReadLog(const std::string& path, const std::string& finalPath) {
    const FileHandle log = OpenToInspect(path, Setup.Plan ? FILE_READ_ATTRIBUTES : DELETE | FILE_READ_ATTRIBUTES);
    if (!log.IsValid() || finalPath.empty() || FinalPathOf(log.Get()) != finalPath) return false;
    if (!Setup.Plan) return DeleteThrough(log.Get());
    Setup.Plan->Add(PlanKind::Remove, PlanRole::Log, path, true);
    return true;
}

Removal RemoveLoggedFolder(const std::string& path, const ProtectedFolders& platformFolders) {
    if (IsFullPath(path) && platformFolders.Contains(path)) {
        if (Setup.Plan) Setup.Plan->Add(PlanKind::Leave, Setup.Plan->removing, path, true, "a folder of the platform");
        return Removal::Done;
    }
    return Remove(path, Kind::Folder);
}
