#include "fsutil/Directories.h"

#include <windows.h>

#include "base/CurrentDirectoryGuard.h"
#include "base/NotFoundError.h"
#include "fsutil/FinalPath.h"
#include "fsutil/UserScope.h"
#include "state/RunPlan.h"
#include "state/SetupState.h"
#include "state/UninstallLog.h"

namespace {

// Enters the level, or creates and logs it when it is missing; a level that is there but cannot
// be entered, or has a name the system refuses, is not created. An entered level stays current
// until the next one is tried, so a relative path moves along with the walk.
Result<bool> EnterOrCreateLevel(const std::string& level) {
    if (SetCurrentDirectoryA(level.c_str()) || (Setup.Plan && Setup.Plan->Planned(level))) return true;
    if (!IsNotFoundError(GetLastError())) return false;
    // A plan logs it as made, so that what the run decides next is what it would decide then.
    if (Setup.Plan) {
        Setup.Plan->Add(PlanKind::Folder, PlanRole::Package, level, false);
    } else {
        if (!CreateDirectoryA(level.c_str(), nullptr)) return false;
        // Made by its path, so a link on the way may have put it elsewhere: where it really is must
        // be a place the package may write.
        if (!InPersonsAreas(FinalPath(level))) {
            RemoveDirectoryA(level.c_str());
            return Status::Fatal(NeedsAdministratorRightsText(level));
        }
    }
    if (const Status logged = LogDirectory(level); !logged) return logged;
    return true;
}

}  // namespace

bool DirectoryExists(const std::string& path) {
    CurrentDirectoryGuard guard;
    return SetCurrentDirectoryA(path.c_str()) != 0;
}

Result<bool> CreateDirectoryPath(const std::string& path) {
    if (const Status fits = RequireFittingPath(path); !fits) return fits;
    if (!InPersonsAreas(path)) return Status::Fatal(NeedsAdministratorRightsText(path));
    CurrentDirectoryGuard guard;
    bool driveLevel = true;
    for (size_t i = 0; i < path.size(); ++i) {
        const bool last = i + 1 == path.size();
        if (!last && path[i] != '\\') continue;
        // The last level keeps its final character, a trailing "\" included.
        const std::string level = last ? path : path.substr(0, i);
        if (driveLevel) {
            driveLevel = false;
            continue;
        }
        const Result<bool> entered = EnterOrCreateLevel(level);
        if (!entered || !entered.Value()) return entered;
    }
    return true;
}
