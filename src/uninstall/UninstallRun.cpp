#include "uninstall/UninstallRun.h"

#include <windows.h>

#include <algorithm>
#include <optional>
#include <string>

#include "base/FormatText.h"
#include "base/QuotedText.h"
#include "base/Texts.h"
#include "fsutil/DeleteOrSchedule.h"
#include "fsutil/FileNames.h"
#include "fsutil/FileTransfer.h"
#include "fsutil/LogRecord.h"
#include "fsutil/ProgramsListEntry.h"
#include "fsutil/UninstallerRemoval.h"
#include "setupdata/RegistryKeyText.h"
#include "setupdata/ScriptNames.h"
#include "state/RunFace.h"
#include "state/RunPlan.h"
#include "state/SetupState.h"
#include "toolkit/ProgressBar.h"
#include "uninstall/LoggedItem.h"
#include "fsutil/RestartManager.h"
#include "uninstall/ProgramsInUse.h"
#include "uninstall/ProtectedFolders.h"

namespace {

EntryList ReadLogSection(const char* section) {
    EntryList entries;
    Setup.UninstallLog->ReadEntries(section, entries);
    return entries;
}

// The values of a section of the log, in the log's order.
std::vector<std::string> LogValues(const char* section) {
    std::vector<std::string> values;
    for (const Entry& entry : ReadLogSection(section)) values.push_back(entry.value);
    return values;
}

// The logged keys, each after every key logged below it, whatever order the log has them in: a
// key goes once nothing but the package's own keys is under it, and what stays then under one
// truly is another program's.
std::vector<std::string> KeysDeepestFirst() {
    const std::vector<std::string> logged = LogValues(RegistryKeysSection);
    const auto depth = [](const std::string& key) { return static_cast<size_t>(std::count(key.begin(), key.end(), '\\')); };
    size_t deepest = 0;
    for (const std::string& key : logged) deepest = std::max(deepest, depth(key));
    // Each depth in the log's order; no sort that would bring in a temporary buffer.
    std::vector<std::string> keys;
    for (size_t level = deepest + 1; level-- > 0;)
        for (const std::string& key : logged)
            if (depth(key) == level) keys.push_back(key);
    return keys;
}

// Each shown phase fills at most half the bar; 51 entries or more leave it standing.
int PhaseStep(size_t count) { return static_cast<int>(50.0 / static_cast<double>(count)); }

// Only the four roots the uninstall knows, compared exactly: a key under any other root name
// stays, and a root itself is never deleted. One attempt, whatever the result.
Removal DeleteKeyNow(const std::string& text) {
    const std::optional<RegistryKeyText> key = SplitRegistryKeyText(text);
    // The key path keeps its leading "\"; a root alone is never deleted.
    if (!key || key->keyPath.size() < 2) return Removal::Done;
    if (IsEntryOfAnotherInstall(text)) {
        if (Setup.Plan) Setup.Plan->Add(PlanKind::Leave, Setup.Plan->removing, text, true, "another install's entry now");
        return Removal::Done;
    }
    const std::optional<HKEY> root = UninstallRootKey(key->rootName);
    if (root && Setup.Plan)
        Setup.Plan->Add(PlanKind::Remove, Setup.Plan->removing, text, true);
    else if (root)
        DeleteKeyOrReport(*root, key->keyPath.c_str() + 1, text);
    return Removal::Done;
}

// The log's record waits for the log (UninstallRun::RemoveLogRecord).
Removal DeleteLoggedKey(const std::string& text) {
    return IsLogRecordKeyText(text) ? Removal::Done : DeleteKeyNow(text);
}

}  // namespace

void UninstallRun::Run() {
    const char* package = Setup.PackageName.c_str();
    view_.ShowPhase(FormatText(TextId::DeletingSupportFiles, package));
    view_.ShowCaption(FormatText(TextId::Uninstalling, package));
    UninstallFiles();
    // The last file shown stays until the first key replaces it.
    view_.ShowPhase(FormatText(TextId::DeletingRegistryEntries, package));
    UninstallRegistryKeys();
    // The installed log lives in the install folder, which can only go once the log is gone; a
    // failed install's undo has only its working log.
    const bool logGone = !Setup.IsUninstallMode() || RemoveReadLog(Setup.CommandLine, Setup.InstalledLogFinalPath);
    UninstallDirectories();
    if (logGone) RemoveLogRecord();
    RemoveUnusedUninstaller();
    DeleteTempFile(LogFileName);
    ShowCompleted();
    ReportLeftAlone();
}

// Handles every entry of a section first to last, showing each and advancing the bar.
void UninstallRun::RunShownPhase(const std::vector<std::string>& entries, Removal (*handleEntry)(const std::string&)) {
    if (!entries.empty()) view_.SetBarStep(ProgressBarRole::Current, PhaseStep(entries.size()));
    for (const std::string& entry : entries) {
        // A value longer than a path buffer is passed over: a cut one would name, and delete, something else.
        if (FitsPathBuffer(entry)) Note(handleEntry(entry), entry);
        view_.ShowCurrentItem(DisplayText(entry));
        view_.StepBar(ProgressBarRole::Current);
    }
}

void UninstallRun::UninstallFiles() {
    const std::vector<std::string> files = LogValues(LogProgramFilesSection);
    // An undo takes back only what this run wrote, which no program has started from yet.
    if (!undo_) CloseProgramsHolding(files);
    RunShownPhase(files, RemoveLoggedFile);
    RestartManager::Current().End();
}

void UninstallRun::UninstallRegistryKeys() { RunShownPhase(KeysDeepestFirst(), DeleteLoggedKey); }

void UninstallRun::UninstallDirectories() {
    const EntryList entries = ReadLogSection(DirectoriesSection);
    const ProtectedFolders platformFolders;
    // Parents were logged before their children, so the last entry is the innermost.
    for (size_t i = entries.Count(); i > 0; --i) {
        const std::string& path = entries.Value(i - 1);
        if (FitsPathBuffer(path)) Note(RemoveLoggedFolder(path, platformFolders), path);
    }
}

void UninstallRun::RemoveLogged() {
    UninstallFiles();
    UninstallRegistryKeys();
    UninstallDirectories();
    ReportLeftAlone();
}

void UninstallRun::RemoveLogRecord() {
    for (const std::string& key : KeysDeepestFirst())
        if (IsLogRecordKeyText(key)) DeleteKeyNow(key);
}

void UninstallRun::Note(Removal removal, const std::string& entry) {
    if (Setup.Plan && removal == Removal::LeftAlone)
        Setup.Plan->Add(PlanKind::Leave, Setup.Plan->removing, entry, true, "not what the install made there");
    if (removal == Removal::LeftAlone) leftAlone_.push_back(Quoted(entry));
    if (removal == Removal::InUse) inUse_.push_back(Quoted(entry));
}

// One message for every entry that was not what the install made, and one for every file a
// program held, after the window says the run is complete.
void UninstallRun::ReportLeftAlone() {
    ReportEntries(Text(TextId::EntriesLeftAlone), leftAlone_, Text(TextId::UninstallLogCaption), MB_ICONERROR);
    ReportEntries(Text(TextId::FilesInUse), inUse_, Text(TextId::UninstallLogCaption), MB_ICONERROR);
}

void UninstallRun::ShowCompleted() {
    const char* package = Setup.PackageName.c_str();
    view_.ShowCurrentItem("");
    view_.SetBarPosition(ProgressBarRole::Current, ProgressBar::Maximum);
    view_.ShowEnded();
    view_.ShowPhase(FormatText(undo_ ? TextId::InstallUndone : TextId::SuccessfullyUninstalled, package));
    view_.ShowCaption(FormatText(TextId::UninstallingComplete, package));
}
