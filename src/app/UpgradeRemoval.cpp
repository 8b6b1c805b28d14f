#include "app/UpgradeRemoval.h"

#include <windows.h>

#include "setupdata/FoldedText.h"
#include "state/ProgressView.h"
#include "state/RunPlan.h"
#include "state/SetupState.h"
#include "state/UninstallLog.h"
#include "uninstall/UninstallRun.h"

namespace {

constexpr const char* DroppedLogName = "dropped.ini";

// `entry` and every folder or key above it.
void InsertWithParents(FoldedTextSet& set, const std::string& entry) {
    std::string level = entry;
    for (;;) {
        set.Insert(level);
        const size_t slash = level.find_last_of('\\');
        if (slash == std::string::npos || slash == 0) return;
        level.erase(slash);
    }
}

// Every entry of this run's log and every folder and key it found in place (the install folder
// among them), each with every folder or key above it: an earlier entry among them is still the
// package's.
FoldedTextSet StillShipped() {
    FoldedTextSet shipped(64);
    for (const std::string& found : Setup.FoundInPlace) InsertWithParents(shipped, found);
    for (const LogSection& section : LogSections) {
        EntryList entries;
        Setup.UninstallLog->ReadEntries(section.name, entries);
        for (const Entry& entry : entries) InsertWithParents(shipped, entry.value);
    }
    return shipped;
}

// Writes `log`'s section without the entries in `leave` (letter case ignored), numbered afresh; the
// file records go with their files.
bool Without(const ProfileFile& log, const char* section, const char* keyPrefix, const FoldedTextSet& leave) {
    const bool records = section == FileDigestsSection;
    EntryList entries, kept;
    log.ReadEntries(section, entries);
    for (const Entry& entry : entries)
        if (leave.Find(records ? RecordedPath(entry.value) : entry.value) < 0)
            kept.Append(NumberedKey(keyPrefix, static_cast<int>(kept.Count()) + 1), entry.value);
    return log.WriteSection(section, kept).Ok();
}

}  // namespace

UpgradeRemoval::UpgradeRemoval(const std::string& earlierCopy) : dropped_(Setup.TempDir + DroppedLogName) {
    const FoldedTextSet shipped = StillShipped();
    if (!CopyFileA(earlierCopy.c_str(), dropped_.c_str(), FALSE)) return;
    const ProfileFile dropped(dropped_);
    // Unless every section is written, nothing is removed: the merged log names all there is.
    for (const LogSection& section : LogSections)
        if (!Without(dropped, section.name, section.keyPrefix, shipped)) return;
    ready_ = true;
}

void UpgradeRemoval::RemoveDropped() const {
    // The uninstall carries out the log of `Setup`: for this while, the entries to remove.
    std::unique_ptr<ProfileFile> runLog = std::move(Setup.UninstallLog);
    Setup.UninstallLog = std::make_unique<ProfileFile>(dropped_);
    // Done as the install's log is left, after its window has closed: nothing is shown.
    ProgressView unseen;
    UninstallRun(unseen).RemoveLogged();
    Setup.UninstallLog = std::move(runLog);
}

void UpgradeRemoval::Plan() const {
    if (!ready_) return;
    Setup.Plan->removing = PlanRole::Upgrade;
    RemoveDropped();
}

bool UpgradeRemoval::Run(const ProfileFile& merged) const {
    if (!ready_) return false;
    RemoveDropped();

    // A file or folder still there was left by the uninstall, or waits for a restart, and stays
    // logged; a key the uninstall left holds another program's keys, and is that program's now.
    const ProfileFile dropped(dropped_);
    FoldedTextSet gone(64);
    for (const LogSection& section : LogSections) {
        EntryList entries;
        dropped.ReadEntries(section.name, entries);
        for (const Entry& entry : entries)
            if (section.name == RegistryKeysSection || GetFileAttributesA(entry.value.c_str()) == INVALID_FILE_ATTRIBUTES)
                gone.Insert(entry.value);
    }
    for (const LogSection& section : LogSections)
        if (!Without(merged, section.name, section.keyPrefix, gone)) return false;
    return Without(merged, FileDigestsSection, FileKeyPrefix, gone);
}

bool LeaveEarlierFolders(const std::string& earlierCopy) {
    EntryList entries;
    ProfileFile(earlierCopy).ReadEntries(DirectoriesSection, entries);
    FoldedTextSet held(entries.Count());
    for (const Entry& entry : entries) held.Insert(entry.value);
    return Without(*Setup.UninstallLog, DirectoriesSection, DirectoryKeyPrefix, held);
}
