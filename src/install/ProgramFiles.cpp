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
#include "fsutil/FinalPath.h"
#include "fsutil/PathIdentity.h"
#include "fsutil/MediaSource.h"
#include "fsutil/PathMacros.h"
#include "base/Texts.h"
#include "install/InstallRun.h"
#include "setupdata/ScriptNames.h"
#include "state/RunFace.h"
#include "state/RunPlan.h"
#include "state/SetupState.h"
#include "state/UninstallLog.h"
#include "toolkit/ProgressBar.h"
#include "uninstall/LoggedItem.h"

namespace {

// The files of all disks together fill at most this much of the total bar.
constexpr float FilesShare = 70.0f;
constexpr DWORD PauseBeforeLog = 100;
constexpr DWORD PauseAfterFile = 500;
constexpr const char* ExpandedWorkName = "expanded.tmp";
// The files expanded since the log was last written wait at most this long, or this many, for
// the next write: a run killed meanwhile leaves no more than that unrecorded.
constexpr ULONGLONG LogWriteInterval = 200;
constexpr size_t LogWriteBatch = 64;

// Whether the final path of `folder` lies below the Program Files, Common Files or Windows folder
// (not its Temp, which every user can write in): only administrators can change what it names.
bool OnlyAdministratorsChange(const std::string& folder) {
    const std::string final = FinalPath(folder);
    if (final.empty() || IsWithinFolder(final, FinalPath(Setup.WindowsDir + "\\Temp"))) return false;
    for (const std::string* platform : {&Setup.ProgramFilesDir, &Setup.CommonFilesDir, &Setup.WindowsDir})
        if (IsWithinFolder(final, FinalPath(*platform))) return true;
    return false;
}

// A file the install placed: where, its record (size and digest of what was written, read back
// through the handle that wrote it), and the file that waits beside it for the restart, if any.
struct PlacedFile {
    std::string dest, record, staged;
};

// The held file `dest` replaced by the file `expanded` at the next restart, by the platform
// (MoveFileEx with MOVEFILE_DELAY_UNTIL_REBOOT), which renames by name then, before any program
// runs: only by an elevated run for the machine, into a folder no unelevated program can swap for a
// link. The new file waits beside the held one.
bool ReplaceAtRestart(const std::string& expanded, PlacedFile& placed) {
    const std::string& dest = placed.dest;
    std::string staged = dest + ".new";
    if (!Setup.Elevated || Setup.UserScope || !FitsPathBuffer(staged) || !OnlyAdministratorsChange(FolderPart(dest)))
        return false;
    Result<FileHandle> made = CreateNewFile(staged);
    if (!made) return false;
    const HANDLE file = made.Value().Get();
    if (CopyContent(expanded, file) &&
        MoveFileExA(staged.c_str(), dest.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_DELAY_UNTIL_REBOOT)) {
        placed.record = FileRecordOf(file);
        placed.staged = std::move(staged);
        Setup.RestartScheduled = true;
        return true;
    }
    DiscardNewFile(made.Value());
    return false;
}

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

// Expands the file that line `i` of a disk's section names into its destination, and says in
// `file` what it placed; the message of a failure, which leaves nothing behind in Temp, or
// nothing. The file lies on the media under the name the disk's media names give its line's key,
// or under its own.
Status TransferFile(const EntryList& entries, const EntryList& mediaNames, size_t i, int disk, PlacedFile& file) {
    std::string& dest = file.dest;
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
    const auto recorded = [&](HANDLE handle, const Status& filled) {
        if (filled) file.record = FileRecordOf(handle);
        return filled;
    };
    if (GetFileAttributesA(dest.c_str()) == INVALID_FILE_ATTRIBUTES)
        return PlaceNewFile(dest, refused, [&](HANDLE handle) { return recorded(handle, ExpandInto(name, handle)); });
    if (const Status copied = ExpandToTemp(name, ExpandedWorkName); !copied) return copied;
    const std::string work = Setup.TempDir + ExpandedWorkName;
    const auto place = [&] {
        return PlaceNewFile(dest, refused, [&](HANDLE handle) {
            return recorded(handle, CopyContent(work, handle) ? Status() : refused());
        });
    };
    Status placed = place();
    // Held by a program: the windows name it and wait for the person (Cancel keeps the code, and
    // the install is undone), "/NOCLOSE" or not; an unattended run leaves it to the restart where
    // that is safe.
    while (placed.Code() == HeldFileCode) {
        if (!Face().attended) {
            placed = ReplaceAtRestart(work, file) ? Status() : Status::Failed(placed.Message());
            break;
        }
        if (Face().Ask(FormatText("%s.\n\n%s", placed.Message().c_str(), Text(TextId::FileHeldChoice)),
                       Text(TextId::ProgramsInUseCaption),
                       MB_RETRYCANCEL | MB_ICONEXCLAMATION) != IDRETRY)
            break;
        placed = place();
    }
    DeleteTempFile(ExpandedWorkName);
    return placed;
}

}  // namespace

std::vector<std::string> ExistingDestinations(int diskCount) {
    std::vector<std::string> existing;
    for (int disk = 1; disk <= diskCount; ++disk) {
        EntryList entries;
        Setup.InstallScript->ReadEntries(ProgramFilesSection(disk).c_str(), entries);
        for (const Entry& entry : entries) {
            const Result<std::string> dest = ExpandPathMacros(entry.value);
            if (dest && GetFileAttributesA(dest.Value().c_str()) != INVALID_FILE_ATTRIBUTES) existing.push_back(dest.Value());
        }
    }
    return existing;
}

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

    PlacedFile file;
    Status transferred = TransferFile(entries, mediaNames, 0, disk, file);
    for (size_t i = 0;; ++i) {
        if (!transferred) {
            // The person cancelled at a held file: the install is undone, with nothing more to say.
            if (transferred.Code() == HeldFileCode) {
                RunAborted = 1;
                UndoWanted = true;
            } else {
                FailRun(transferred.Message());
            }
            return LogExpandedFiles();
        }
        Face().BeginPause(PauseBeforeLog);
        AddLoggedFile(fileEntries_, fileRecords_, file.record, file.dest);
        // The new file waiting beside a held one is the install's too: an uninstall or an undo
        // before the restart removes it, and the restart then has nothing to put in place.
        if (!file.staged.empty()) AddLoggedFile(fileEntries_, fileRecords_, file.record, file.staged);
        const bool last = i + 1 == count;
        if (last || fileEntries_.Count() - loggedFiles_ >= LogWriteBatch ||
            GetTickCount64() - loggedAt_ >= LogWriteInterval)
            if (const Status logged = LogExpandedFiles(); !logged) return logged;
        Face().EndPause();
        // The next file is expanded while this one is shown: the pauses pace what the person
        // sees, and the engine's work runs inside them instead of adding to them.
        Face().BeginPause(PauseAfterFile);
        view_.ShowCurrentItem(DisplayText(file.dest));
        StepBars();
        const bool lastOfEarlierDisk = last && diskCount > 1 && disk < diskCount;
        if (lastOfEarlierDisk) view_.SetBarPosition(ProgressBarRole::Current, ProgressBar::Maximum);
        // A large next file must not keep the window from showing this one first.
        view_.ShowChanges();
        file.record.clear();
        file.staged.clear();
        if (!last) transferred = TransferFile(entries, mediaNames, i + 1, disk, file);
        Face().EndPause();
        if (last) return {};
    }
}

Status InstallRun::LogExpandedFiles() {
    const Status logged = LogFileSections(fileEntries_, fileRecords_);
    // Files the log could not take are removed now: the undo that follows knows only what it records.
    if (!logged)
        for (size_t i = loggedFiles_; i < fileEntries_.Count(); ++i) (void)RemoveLoggedFile(fileEntries_.Value(i));
    loggedFiles_ = fileEntries_.Count();
    loggedAt_ = GetTickCount64();
    return logged;
}
