#include <windows.h>

#include <optional>

#include "base/FormatText.h"
#include "base/QuotedText.h"
#include "base/SetupError.h"
#include "fsutil/FileNames.h"
#include "fsutil/FileTransfer.h"
#include "fsutil/PathMacros.h"
#include "install/InstallRun.h"
#include "setupdata/ScriptNames.h"
#include "state/RunFace.h"
#include "state/SetupState.h"
#include "state/UninstallLog.h"
#include "toolkit/ProgressBar.h"

namespace {

// The files of all disks together fill at most this much of the total bar.
constexpr float FilesShare = 70.0f;
constexpr DWORD PauseBeforeLog = 100;
constexpr DWORD PauseAfterFile = 500;

// The destination with its macros replaced, or nothing when it would not fit a path buffer.
std::optional<std::string> ExpandedDestination(const std::string& value) {
    try {
        return ExpandPathMacros(value);
    } catch (const SetupError&) {
        return std::nullopt;
    }
}

bool IsWorkingCopyName(const std::string& name) {
    return lstrcmpiA(name.c_str(), ScriptFileName) == 0 || lstrcmpiA(name.c_str(), LogFileName) == 0;
}

}  // namespace

void InstallRun::InstallProgramFiles(int disk, int diskCount) {
    // Disks before the last keep the bar where the previous disk left it.
    if (disk == diskCount) view_.SetBarPosition(ProgressBarRole::Current, 0);
    EntryList entries;
    Setup.InstallScript->ReadEntries(ProgramFilesSection(disk).c_str(), entries);
    const size_t count = entries.Count();
    if (count == 0) return;
    // Single precision, as the steps have always been computed; trunc cuts towards zero.
    const float perFile = FilesShare / static_cast<float>(count);
    SetBarSteps(static_cast<int>(perFile), static_cast<int>(perFile / static_cast<float>(diskCount)));

    for (size_t i = 0; i < count; ++i) {
        const std::optional<std::string> dest = ExpandedDestination(entries.Value(i));
        // A destination beyond a path buffer is refused before anything is expanded.
        if (!dest) {
            FailRun(FormatText("Error installing %s", Quoted(FileNamePart(entries.Value(i))).c_str()));
            return;
        }
        const std::string name = FileNamePart(*dest);
        // It would land on the run's own working copy of the script or the log.
        if (IsWorkingCopyName(name)) {
            FailRun(FormatText("Error installing %s", Quoted(name).c_str()));
            return;
        }
        if (ExpandToTemp(name) != 0) {
            FailRun(FormatText("Error expanding %s", Quoted(name).c_str()));
            return;
        }
        if (CopyFromTemp(name, *dest, false) != 0) {
            FailRun(FormatText("Error installing %s", Quoted(name).c_str()));
            DeleteTempFile(name);
            return;
        }
        DeleteTempFile(name);
        Face().Pause(PauseBeforeLog);
        LogFile(*dest);
        view_.ShowCurrentItem(DisplayText(*dest));
        StepBars();
        const bool lastOfEarlierDisk = i + 1 == count && diskCount > 1 && disk < diskCount;
        if (lastOfEarlierDisk) view_.SetBarPosition(ProgressBarRole::Current, ProgressBar::Maximum);
        Face().Pause(PauseAfterFile);
    }
}
