#include "app/InstalledLog.h"

#include <windows.h>

#include "app/LogRecord.h"
#include "base/FileContent.h"
#include "base/FormatText.h"
#include "base/QuotedText.h"
#include "base/SetupError.h"
#include "fsutil/FileNames.h"
#include "fsutil/InstallFolder.h"
#include "setupdata/ScriptNames.h"
#include "setupdata/UnicodeProfileCopy.h"
#include "state/RunFace.h"
#include "state/SetupState.h"
#include "state/UninstallLog.h"

namespace {

constexpr const char* MergedLogName = "merged.ini";
constexpr const char* StagedLogName = "uninstal.new";

struct LogSection {
    const char* name;
    const char* keyPrefix;
};
constexpr LogSection LogSections[] = {
    {DirectoriesSection, DirectoryKeyPrefix},
    {LogProgramFilesSection, FileKeyPrefix},
    {RegistryKeysSection, RegistryKeyPrefix},
};

bool RunMadeSomething() { return Setup.DirEntryCount > 0 || Setup.FileEntryCount > 0 || Setup.KeyEntryCount > 0; }

bool Holds(const EntryList& entries, const std::string& value) {
    for (const Entry& entry : entries)
        if (lstrcmpiA(entry.value.c_str(), value.c_str()) == 0) return true;
    return false;
}

// The earlier log's entries, then this run's that it does not hold, numbered on; the result
// replaces the working copy.
void MergeEarlierLog(const std::string& installedLog) {
    const ProfileFile earlier(installedLog);
    const ProfileFile& current = *Setup.UninstallLog;
    const ProfileFile merged(Setup.TempDir + MergedLogName);
    CreateUnicodeProfile(merged.Path());
    merged.WriteValue(PackageSection, PackageNameKey, Setup.PackageName);
    for (const LogSection& section : LogSections) {
        EntryList before, now;
        earlier.ReadEntries(section.name, before);
        current.ReadEntries(section.name, now);
        int number = 0;
        const auto append = [&](const std::string& value) {
            merged.WriteValue(section.name, NumberedKey(section.keyPrefix, ++number).c_str(), value);
        };
        for (const Entry& entry : before) append(entry.value);
        for (const Entry& entry : now)
            if (!Holds(before, entry.value)) append(entry.value);
    }
    if (!MoveFileExA(merged.Path().c_str(), current.Path().c_str(), MOVEFILE_REPLACE_EXISTING))
        throw SetupError(FormatText("Unable to write to %s", current.Path().c_str()));
}

// Copies the log beside its place, checks the copy is whole, then puts it in place in one step,
// so that a full drive or a refused write never leaves a short log, nor loses the earlier one.
bool PlaceLog(const std::string& workLog, const std::string& installedLog, const std::string& content) {
    const std::string staged = WithTrailingBackslash(Setup.InstallFolder) + StagedLogName;
    std::string copied;
    if (CopyFileA(workLog.c_str(), staged.c_str(), FALSE) && ReadWholeFile(staged, copied) && copied == content &&
        MoveFileExA(staged.c_str(), installedLog.c_str(), MOVEFILE_REPLACE_EXISTING))
        return true;
    DeleteFileA(staged.c_str());
    return false;
}

void TellLogKept(const std::string& why, const std::string& workLog) {
    Face().Ask(why + "\nThe complete uninstall log was kept as " + workLog + ".", "Uninstall Log", MB_OK | MB_ICONERROR);
}

bool LeaveCompleteLog() {
    if (!RunMadeSomething()) return true;
    const std::string installedLog = InstalledLogPath(Setup.InstallFolder);
    const std::string workLog = Setup.UninstallLog->Path();
    const FolderLog earlier = LogAt(installedLog);
    if (earlier == FolderLog::Other) {
        TellLogKept(FormatText("%s is not the uninstall log of %s, so it was left as it is.",
                               Quoted(installedLog).c_str(), Setup.PackageName.c_str()),
                    workLog);
        return false;
    }
    const bool recorded = PrepareLogRecord(installedLog);
    if (earlier == FolderLog::ThisPackage) MergeEarlierLog(installedLog);
    std::string content;
    if (!ReadWholeFile(workLog, content) || !PlaceLog(workLog, installedLog, content)) {
        TellLogKept(FormatText("The uninstall log could not be written to %s.", Quoted(installedLog).c_str()),
                    workLog);
        return false;
    }
    if (recorded) RecordLogDigest(installedLog, content);
    return true;
}

}  // namespace

bool LeaveLogInInstallFolder() {
    try {
        return LeaveCompleteLog();
    } catch (const std::exception& error) {
        // A write the layers refused; the working copy holds all that was logged before it.
        TellLogKept(error.what() + std::string("."), Setup.UninstallLog->Path());
        return false;
    }
}
