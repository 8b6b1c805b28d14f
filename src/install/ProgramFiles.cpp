#include <windows.h>

#include <optional>

#include "base/FormatText.h"
#include "base/FullPath.h"
#include "base/QuotedText.h"
#include "base/SetupError.h"
#include "fsutil/FileNames.h"
#include "fsutil/FileTransfer.h"
#include "fsutil/MediaSource.h"
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
constexpr const char* ExpandedWorkName = "expanded.tmp";

// The destination with its macros replaced, or nothing when it would not fit a path buffer.
std::optional<std::string> ExpandedDestination(const std::string& value) {
    try {
        return ExpandPathMacros(value);
    } catch (const SetupError&) {
        return std::nullopt;
    }
}

// Expands the file a script line names and copies it to its destination (`dest`); the message
// of a failure, which leaves nothing behind in Temp, or nothing.
std::optional<std::string> TransferFile(const std::string& value, std::string& dest) {
    const std::optional<std::string> expanded = ExpandedDestination(value);
    // A destination beyond a path buffer, or one the current folder would complete, is refused
    // before anything is expanded.
    if (!expanded || !IsFullPath(*expanded))
        return FormatText("Error installing %s", Quoted(FileNamePart(value)).c_str());
    dest = *expanded;
    const std::string name = FileNamePart(dest);
    // Where nothing is there yet, the file is expanded in place; a file already there is only
    // replaced by a whole copy, expanded first into the run's own folder.
    const int inPlace = ExpandToNewFile(name, dest);
    if (inPlace == 0) return std::nullopt;
    // The expanded copy takes a name of the run's own, so no package file can land on the
    // working copy of the script or the log, whatever its name.
    const int copy = inPlace < 0 ? inPlace : ExpandToTemp(name, ExpandedWorkName);
    if (copy == SetupFileDamaged) return std::string(SetupFileDamagedText);
    if (copy != 0) return FormatText("Error expanding %s", Quoted(name).c_str());
    const bool copied = CopyFromTemp(ExpandedWorkName, dest, false) == 0;
    DeleteTempFile(ExpandedWorkName);
    if (!copied) return FormatText("Error installing %s", Quoted(name).c_str());
    return std::nullopt;
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

    std::string dest;
    std::optional<std::string> failure = TransferFile(entries.Value(0), dest);
    for (size_t i = 0;; ++i) {
        if (failure) return FailRun(*failure);
        Face().BeginPause(PauseBeforeLog);
        LogFile(dest);
        Face().EndPause();
        // The next file is expanded while this one is shown: the pauses pace what the person
        // sees, and the engine's work runs inside them instead of adding to them.
        Face().BeginPause(PauseAfterFile);
        view_.ShowCurrentItem(DisplayText(dest));
        StepBars();
        const bool last = i + 1 == count;
        const bool lastOfEarlierDisk = last && diskCount > 1 && disk < diskCount;
        if (lastOfEarlierDisk) view_.SetBarPosition(ProgressBarRole::Current, ProgressBar::Maximum);
        // A large next file must not keep the window from showing this one first.
        view_.ShowChanges();
        if (!last) failure = TransferFile(entries.Value(i + 1), dest);
        Face().EndPause();
        if (last) return;
    }
}
