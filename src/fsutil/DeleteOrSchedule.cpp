#include "fsutil/DeleteOrSchedule.h"

#include <windows.h>

#include "base/NotFoundError.h"
#include "state/SetupState.h"

namespace {

void ScheduleAfterFailure(const std::string& path) {
    // A name that is not there is not scheduled: by the restart it might name something new.
    if (Setup.IsWindowsNT != 1 || IsNotFoundError(GetLastError())) return;
    if (MoveFileExA(path.c_str(), nullptr, MOVEFILE_REPLACE_EXISTING | MOVEFILE_DELAY_UNTIL_REBOOT))
        Setup.RestartScheduled = true;
}

}  // namespace

void DeleteFileOrSchedule(const std::string& path) {
    if (!DeleteFileA(path.c_str())) ScheduleAfterFailure(path);
}

void RemoveDirectoryOrSchedule(const std::string& path) {
    if (!RemoveDirectoryA(path.c_str())) ScheduleAfterFailure(path);
}
