#include "app/InstalledLog.h"

#include <windows.h>

#include <optional>

#include "app/UpgradeRemoval.h"

#include "base/FileContent.h"
#include "base/FormatText.h"
#include "base/QuotedText.h"
#include "base/Texts.h"
#include "fsutil/DestinationFile.h"
#include "fsutil/FileNames.h"
#include "fsutil/FinalPath.h"
#include "fsutil/InstallFolder.h"
#include "fsutil/LogRecord.h"
#include "fsutil/PathIdentity.h"
#include "setupdata/RegistryKeyText.h"
#include "setupdata/FoldedText.h"
#include "setupdata/ScriptNames.h"
#include "state/RunFace.h"
#include "state/RunPlan.h"
#include "state/SetupState.h"
#include "state/UninstallLog.h"

namespace {

constexpr const char* StagedLogName = "uninstal.new";
constexpr const char* MergedLogName = "merged.ini";

bool RunMadeSomething() { return Setup.DirEntryCount > 0 || Setup.FileEntryCount > 0 || Setup.KeyEntryCount > 0; }

// One section's entries of the earlier log, then this run's that it does not hold, numbered on, in
// one write into `current`.
Status MergeSection(const ProfileFile& earlier, const ProfileFile& current, const LogSection& section) {
    EntryList before, now, merged;
    earlier.ReadEntries(section.name, before);
    current.ReadEntries(section.name, now);
    FoldedTextSet held(before.Count() + now.Count());
    const auto append = [&](const std::string& value) {
        merged.Append(NumberedKey(section.keyPrefix, static_cast<int>(merged.Count()) + 1), value);
    };
    for (const Entry& entry : before) {
        held.Insert(entry.value);
        append(entry.value);
    }
    for (const Entry& entry : now)
        if (held.Insert(entry.value)) append(entry.value);
    return current.WriteSection(section.name, merged);
}

// The earlier log merged into `current`, a copy of this run's log. The earlier log is read from the
// copy of what was checked against its record.
Status MergeEarlierLog(const std::string& checkedCopy, const ProfileFile& current) {
    const ProfileFile earlier(checkedCopy);
    for (const LogSection& section : LogSections)
        if (const Status written = MergeSection(earlier, current, section); !written) return written;
    // Both installs' file records: for a file each installed, the later one comes last.
    return MergeSection(earlier, current, {FileDigestsSection, FileKeyPrefix});
}

// Writes `content` through `file` from its start and reads it back: a full drive shows here.
bool WriteWhole(HANDLE file, const std::string& content) {
    DWORD written = 0, got = 0;
    if (!WriteFile(file, content.data(), static_cast<DWORD>(content.size()), &written, nullptr) ||
        written != content.size() || !FlushFileBuffers(file) || !SetFilePointerEx(file, {}, nullptr, FILE_BEGIN))
        return false;
    std::string back(content.size() + 1, '\0');
    return ReadFile(file, back.data(), static_cast<DWORD>(back.size()), &got, nullptr) && got == content.size() &&
           back.compare(0, got, content) == 0;
}

// Writes the staged log, checks it is whole, records its digest, then puts it in place in one step.
Status RecordAndMove(HANDLE staged, const std::string& installedLog, const std::string& content,
                     PendingLogRecord& record, const Status& failed) {
    if (!WriteWhole(staged, content)) return failed;
    if (!record.Write(content))
        return Status::Failed(FormatText(TextId::LogNotRecordedUnder,
                                         Quoted(installedLog).c_str(), LogRecordsKeyText().c_str()));
    const Status moved = RenameInto(staged, installedLog);
    if (moved) return moved;
    record.Undo();
    return moved.Code() == ReachedThroughLinkCode ? moved : failed;
}

// Stages the log beside its place and puts it there, all through one handle whose final path is
// checked at each place, so that a full drive, a refused write or a link on the way never leaves
// a short log, nor loses the earlier one, nor a log without its record: an uninstall carries out
// no log without one.
Status PlaceLog(const std::string& installedLog, const std::string& content, PendingLogRecord& record) {
    const std::string staged = WithTrailingBackslash(Setup.InstallFolder) + StagedLogName;
    const Status failed =
        FailedQuoting(TextId::LogNotWritten, installedLog);
    // One that an earlier run left; a link there goes itself, not what it leads to.
    DeleteFileA(staged.c_str());
    Result<FileHandle> file = CreateNewFile(staged);
    if (!file) return file.State().Code() == ReachedThroughLinkCode ? file.State() : failed;
    const Status placed = RecordAndMove(file.Value().Get(), installedLog, content, record, failed);
    if (!placed) DiscardNewFile(file.Value());
    return placed;
}

// The working log stays where it is, recorded, so that setup started with its path uninstalls
// what it holds.
void KeepWorkLog(const std::string& why, const std::string& workLog) {
    PendingLogRecord record(FinalPath(workLog));
    std::string content;
    const bool recorded = record.LogKeys() && ReadWholeFile(workLog, content) && record.Write(content);
    Face().Ask(FormatText(recorded ? TextId::LogKeptAs : TextId::LogKeptUnrecorded, why.c_str(), workLog.c_str()),
               Text(TextId::UninstallLogCaption), MB_OK | MB_ICONERROR);
}

// Why the log at `installedLog` must not be replaced or added to; empty when it may.
std::string RefusalOf(const FolderLogCheck& earlier, const std::string& installedLog) {
    const std::string log = Quoted(installedLog);
    const char* package = Setup.PackageName.c_str();
    if (earlier.kind == FolderLog::Other)
        return FormatText(TextId::NotThisPackagesLog, log.c_str(), package);
    const std::string distrust = DistrustOf(earlier.kind);
    if (distrust.empty()) return {};
    return FormatText(TextId::DistrustedLogLeft, log.c_str(), package, distrust.c_str());
}

// What the earlier install had and this one no longer ships goes once the log is in place, still
// naming it: a run ended before then leaves nothing unlogged. The log is then placed again with what
// stays; should that fail, the first stands, naming also what went, which an uninstall passes over.
void FinishUpgrade(const UpgradeRemoval& upgrade, const std::string& merged, const std::string& installedLog,
                   const std::string& recordPath) {
    std::string content;
    if (!upgrade.Run(ProfileFile(merged)) || !ReadWholeFile(merged, content)) return;
    PendingLogRecord record(recordPath);
    static_cast<void>(PlaceLog(installedLog, content, record));
}

// What placing the log would do: the log, its record, and over an earlier install of the package,
// what the upgrade would remove of it.
Status PlanLog(const std::string& installedLog, const FolderLogCheck& earlier, const PendingLogRecord& record) {
    Setup.Plan->Add(PlanKind::File, PlanRole::Log, installedLog, earlier.kind != FolderLog::None);
    record.Plan();
    if (earlier.kind != FolderLog::ThisPackage) return {};
    Setup.Plan->upgrades = installedLog;
    if (Setup.InstallCompleted) UpgradeRemoval(earlier.checkedCopy).Plan();
    return {};
}

}  // namespace

Status PlaceInstalledLog() {
    if (!RunMadeSomething()) return {};
    const std::string installedLog = InstalledLogPath(Setup.InstallFolder);
    std::string toPlace = Setup.UninstallLog->Path();
    // Checked again now: the log may have changed while the run installed.
    const FolderLogCheck earlier = LogAt(installedLog);
    if (const std::string refusal = RefusalOf(earlier, installedLog); !refusal.empty()) return Status::Failed(refusal);
    std::string folder = FinalPath(Setup.InstallFolder);
    // A plan's folder may be one the run would only make; it is refused when reached through a link.
    if (folder.empty() && Setup.Plan) folder = PathIdentity(Setup.InstallFolder);
    const std::string recordPath = folder.empty() ? folder : FormatText("%s\\%s", folder.c_str(), LogFileName);
    PendingLogRecord record(recordPath);
    if (const Status logged = record.LogKeys(); !logged) return logged;
    if (Setup.Plan) return PlanLog(installedLog, earlier, record);
    std::optional<UpgradeRemoval> upgrade;
    if (earlier.kind == FolderLog::ThisPackage) {
        // Merged in a copy: this run's own log stays what it made, for an undo.
        const std::string merged = Setup.TempDir + MergedLogName;
        if (!CopyFileA(toPlace.c_str(), merged.c_str(), FALSE)) return FailedQuoting(TextId::LogNotWritten, installedLog);
        toPlace = merged;
        // Only a complete install replaces the earlier one; one that failed half-way only adds to it.
        if (Setup.InstallCompleted) upgrade.emplace(earlier.checkedCopy);
        if (const Status written = MergeEarlierLog(earlier.checkedCopy, ProfileFile(merged)); !written) return written;
    }
    std::string content;
    if (!ReadWholeFile(toPlace, content))
        return FailedQuoting(TextId::LogNotWritten, installedLog);
    const Status placed = PlaceLog(installedLog, content, record);
    if (placed && upgrade) FinishUpgrade(*upgrade, toPlace, installedLog, recordPath);
    return placed;
}

bool LeaveLogInInstallFolder() {
    const Status placed = PlaceInstalledLog();
    if (!placed) KeepWorkLog(placed.Message(), Setup.UninstallLog->Path());
    return placed.Ok();
}
