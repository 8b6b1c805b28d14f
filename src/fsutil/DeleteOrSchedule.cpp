#include "fsutil/DeleteOrSchedule.h"

#include <vector>

#include "base/FormatText.h"
#include "base/NotFoundError.h"
#include "base/OwnedHandle.h"
#include "base/QuotedText.h"
#include "fsutil/FileNames.h"
#include "state/RunFace.h"
#include "state/SetupState.h"

namespace {

// What this run left to the restart, so that a folder holding only those can follow them.
std::vector<std::string>& ScheduledPaths() {
    // Never destroyed: no exit routine for what the end of the process releases anyway.
    static std::vector<std::string>& paths = *new std::vector<std::string>;
    return paths;
}

bool WasScheduled(const std::string& path) {
    for (const std::string& scheduled : ScheduledPaths())
        if (lstrcmpiA(scheduled.c_str(), path.c_str()) == 0) return true;
    return false;
}

bool ScheduleQuietly(const std::string& path) {
    return MoveFileExA(path.c_str(), nullptr, MOVEFILE_REPLACE_EXISTING | MOVEFILE_DELAY_UNTIL_REBOOT) != 0;
}

void ScheduleAfterFailure(const std::string& path) {
    // A name that is not there is not scheduled: by the restart it might name something new.
    if (Setup.IsWindowsNT == 1 && !IsNotFoundError(GetLastError())) ScheduleDeletion(path);
}

// True when every name in the folder was scheduled by this run.
bool HoldsOnlyScheduled(const std::string& folder) {
    const std::string prefix = WithTrailingBackslash(folder);
    WIN32_FIND_DATAA data;
    const FindHandle find(FindFirstFileA((prefix + "*").c_str(), &data));
    if (!find.IsValid()) return false;
    do {
        const std::string name = data.cFileName;
        if (name != "." && name != ".." && !WasScheduled(prefix + name)) return false;
    } while (FindNextFileA(find.Get(), &data));
    return true;
}

}  // namespace

void ScheduleDeletion(const std::string& path) {
    if (!ScheduleQuietly(path)) return;
    Setup.RestartScheduled = true;
    ScheduledPaths().push_back(path);
}

void DeleteFileOrSchedule(const std::string& path) {
    if (!DeleteFileA(path.c_str())) ScheduleAfterFailure(path);
}

void RemoveDirectoryOrSchedule(const std::string& path) {
    if (RemoveDirectoryA(path.c_str())) return;
    if (GetLastError() != ERROR_DIR_NOT_EMPTY) {
        ScheduleAfterFailure(path);
    } else if (HoldsOnlyScheduled(path)) {
        if (Setup.IsWindowsNT == 1) ScheduleDeletion(path);
    } else {
        if (Setup.IsWindowsNT == 1) ScheduleQuietly(path);
        Face().Note(QuotedIn(TextId::LeftFolderHoldsFiles, path));
    }
}

void DeleteKeyOrReport(HKEY root, const char* subKey, const std::string& keyText) {
    const LSTATUS status = RegDeleteKeyA(root, subKey);
    if (status == ERROR_SUCCESS || IsNotFoundError(static_cast<DWORD>(status))) return;
    DWORD subKeys = 0;
    HKEY opened = nullptr;
    if (RegOpenKeyExA(root, subKey, 0, KEY_READ, &opened) == ERROR_SUCCESS) {
        const RegistryKey key(opened);
        RegQueryInfoKeyA(opened, nullptr, nullptr, nullptr, &subKeys, nullptr, nullptr, nullptr, nullptr, nullptr,
                         nullptr, nullptr);
    }
    Face().Note(FormatText(subKeys ? TextId::LeftKeyHoldsOthers : TextId::LeftKeyNotRemoved,
                           Quoted(keyText).c_str()));
}
