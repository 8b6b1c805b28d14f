#include <windows.h>

#include <optional>

#include "base/ContentDigest.h"
#include "base/FormatText.h"
#include "base/FullPath.h"
#include "base/QuotedText.h"
#include "fsutil/DestinationFile.h"
#include "fsutil/FileDigests.h"
#include "fsutil/FileNames.h"
#include "fsutil/FileTransfer.h"
#include "fsutil/MediaSource.h"
#include "fsutil/PathMacros.h"
#include "install/InstallRun.h"
#include "setupdata/ScriptNames.h"
#include "state/RunFace.h"
#include "state/RunPlan.h"
#include "state/SetupState.h"
#include "state/UninstallLog.h"
#include "toolkit/ProgressBar.h"

namespace {

// The files of all disks together fill at most this much of the total bar.
constexpr float FilesShare = 70.0f;
constexpr DWORD PauseBeforeLog = 100;
constexpr DWORD PauseAfterFile = 500;
constexpr const char* ExpandedWorkName = "expanded.tmp";

// A plan's file: its content as installed, expanded into memory and never to disk, and whether
// a file is there that it would replace.
Status PlanFile(const std::string& name, const std::string& dest, int disk) {
    if (const Status placed = PlannedNewFile(dest); !placed) return placed;
    std::string content;
    if (const Status expanded = ExpandInto(name, INVALID_HANDLE_VALUE, &content); !expanded) return expanded;
    Setup.Plan->installedBytes += content.size();
    Setup.Plan->AddFile(PlanRole::Package, dest, content.size(), ContentDigest(content), disk,
                        GetFileAttributesA(dest.c_str()) != INVALID_FILE_ATTRIBUTES);
    return {};
}

// Expands the file that line `i` of a disk's section names into its destination (`dest`); the
// message of a failure, which leaves nothing behind in Temp, or nothing. The file lies on the
// media under the name the disk's media names give its line's key, or under its own. `record`
// gets the size and digest of what was written, read back through the handle that wrote it.
Status TransferFile(const EntryList& entries, const EntryList& mediaNames, size_t i, int disk, std::string& dest,
                    std::string& record) {
    const std::string& value = entries.Value(i);
    const int named = mediaNames.IndexOf(entries.Name(i));
    const Result<std::string> expanded = ExpandPathMacros(value);
    // A destination beyond a path buffer, or one the current folder would complete, is refused
    // before anything is expanded.
    if (!expanded || !IsFullPath(expanded.Value()))
        return FailedQuoting(TextId::ErrorInstalling, FileNamePart(value));
    dest = expanded.Value();
    // A bare name: the media's names never reach outside the media.
    const std::string name = FileNamePart(named < 0 ? dest : mediaNames.Value(static_cast<size_t>(named)));
    // A destination that names a folder has no file name to expand: name the entry instead.
    if (name.empty()) return FailedQuoting(TextId::ErrorExpanding, value);
    if (Setup.Plan) return PlanFile(name, dest, disk);
    // A file already there is only replaced by a whole copy, expanded first into the run's own
    // folder under a name of its own, so no package file can land on the working copy of the
    // script or the log, whatever its name.
    const auto refused = [&] { return FailedQuoting(TextId::ErrorInstalling, name); };
    const auto recorded = [&](HANDLE file, const Status& filled) {
        if (filled) record = FileRecordOf(file);
        return filled;
    };
    if (GetFileAttributesA(dest.c_str()) == INVALID_FILE_ATTRIBUTES)
        return PlaceNewFile(dest, refused, [&](HANDLE file) { return recorded(file, ExpandInto(name, file)); });
    if (const Status copied = ExpandToTemp(name, ExpandedWorkName); !copied) return copied;
    const Status placed = PlaceNewFile(dest, refused, [&](HANDLE file) {
        return recorded(file, CopyContent(Setup.TempDir + ExpandedWorkName, file) ? Status() : refused());
    });
    DeleteTempFile(ExpandedWorkName);
    return placed;
}

}  // namespace

Status InstallRun::InstallProgramFiles(int disk, int diskCount) {
    // Disks before the last keep the bar where the previous disk left it.
    if (disk == diskCount) view_.SetBarPosition(ProgressBarRole::Current, 0);
    EntryList entries, mediaNames;
    Setup.InstallScript->ReadEntries(ProgramFilesSection(disk).c_str(), entries);
    // Files of one name from different folders of the package lie on the media under names of their own.
    Setup.InstallScript->ReadEntries(MediaNamesSection(disk).c_str(), mediaNames);
    const size_t count = entries.Count();
    if (count == 0) return {};
    // Single precision, as the steps have always been computed; trunc cuts towards zero.
    const float perFile = FilesShare / static_cast<float>(count);
    SetBarSteps(static_cast<int>(perFile), static_cast<int>(perFile / static_cast<float>(diskCount)));

    std::string dest, record;
    Status transferred = TransferFile(entries, mediaNames, 0, disk, dest, record);
    for (size_t i = 0;; ++i) {
        if (!transferred) {
            FailRun(transferred.Message());
            return LogFileDigests(fileRecords_);
        }
        Face().BeginPause(PauseBeforeLog);
        if (const Status logged = LogFile(dest); !logged) return logged;
        if (!record.empty()) AddFileDigest(fileRecords_, record, dest);
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
        record.clear();
        if (!last) transferred = TransferFile(entries, mediaNames, i + 1, disk, dest, record);
        Face().EndPause();
        if (last) return LogFileDigests(fileRecords_);
    }
}
