#include <windows.h>

#include <optional>

#include "base/FormatText.h"
#include "base/QuotedText.h"
#include "fsutil/Directories.h"
#include "fsutil/DestinationFile.h"
#include "fsutil/PathMacros.h"
#include "fsutil/UserScope.h"
#include "fsutil/Shortcut.h"
#include "install/InstallRun.h"
#include "setupdata/ScriptGroups.h"
#include "setupdata/ScriptNames.h"
#include "setupdata/WindowsKeys.h"
#include "state/RunFace.h"
#include "state/RunPlan.h"
#include "state/SetupState.h"
#include "state/UninstallLog.h"

namespace {

struct ShellFolderNames {
    const char* programs;
    const char* startMenu;
    const char* desktop;
};
constexpr ShellFolderNames CommonFolders{"Common Programs", "Common Start Menu", "Common Desktop"};
constexpr ShellFolderNames UserFolders{"Programs", "Start Menu", "Desktop"};

enum class LogOrder { AfterShortcut, BeforeShortcut };

constexpr const char* StagedLinkName = "link.tmp";

// A missing value gives the empty text, so the folder becomes the root of the current drive.
Result<std::string> ShellFolder(const char* valueName) { return Setup.Registry->ReadString(valueName); }

// The group folder is logged even when it was there already, so the uninstall removes it once
// it is empty; a new one is logged level by level as it is made. One that cannot be made only
// leaves its shortcuts unwritten.
Status MakeGroupFolder(const std::string& groupFolder) {
    // A group name with ".." steps could lead out of the person's folders.
    if (!InPersonsAreas(groupFolder)) return Status::Fatal(NeedsAdministratorRightsText(groupFolder));
    if (DirectoryExists(groupFolder)) {
        if (Setup.Plan) Setup.Plan->Add(PlanKind::Folder, PlanRole::Package, groupFolder, true);
        return LogDirectory(groupFolder);
    }
    return CreateDirectoryPath(groupFolder).State();
}

// The target a pair's reference names, macros replaced; nothing when it names no entry.
Result<std::optional<std::string>> ShortcutTarget(const std::string& referenceText) {
    const std::optional<ShortcutReference> reference = ParseShortcutReference(referenceText);
    if (!reference) return std::optional<std::string>();
    const std::string value = Setup.InstallScript->ReadValue(reference->section.c_str(), reference->key.c_str(), MissingValueMark);
    if (value == MissingValueMark) return std::optional<std::string>();
    const Result<std::string> target = ExpandPathMacros(value);
    if (!target) return target.State();
    return std::optional<std::string>(target.Value());
}

// The shell writes the link in the run's own folder; it is put in its place as any installed file
// is, through a handle whose final path is checked, a link there before kept for an undo.
Status PlaceShortcut(const std::string& target, const std::string& name, const std::string& link) {
    if (Setup.Plan) {
        if (const Status placed = PlannedNewFile(link); !placed) return placed;
        Setup.Plan->Add(PlanKind::Shortcut, PlanRole::Package, link, GetFileAttributesA(link.c_str()) != INVALID_FILE_ATTRIBUTES,
                        target);
        return {};
    }
    const std::string staged = Setup.TempDir + StagedLinkName;
    DeleteFileA(staged.c_str());
    if (const Status made = CreateShortcut(target, name, staged); !made) return made;
    const auto refused = [&] { return FailedQuoting(TextId::ShortcutNotMade, link); };
    return PlaceNewFile(link, refused, [&](HANDLE file) { return CopyContent(staged, file) ? Status() : refused(); });
}

// Where a section's shortcuts go: the program group folder, or, when there is none, the shell
// folder of that name, looked up for each shortcut.
struct ShortcutFolder {
    const std::string* group;
    const char* shellFolder;

    Result<std::string> Path() const { return group ? Result<std::string>(*group) : ShellFolder(shellFolder); }
};

// Makes the shortcuts of one section's pairs in `folder`, each logged before or after it is
// made. A shortcut that could not be written is logged all the same; one the shell could not
// even start on is noted in the run's log.
Status MakeShortcuts(const char* section, ShortcutFolder folder, LogOrder order) {
    EntryList entries;
    Setup.InstallScript->ReadEntries(section, entries);
    for (const ShortcutPair& pair : ShortcutPairs(entries)) {
        const Result<std::optional<std::string>> target = ShortcutTarget(pair.reference);
        if (!target) return target.State();
        if (!target.Value()) continue;
        const Result<std::string> path = folder.Path();
        if (!path) return path.State();
        const std::string link = FormatText("%s\\%s.lnk", path.Value().c_str(), pair.name.c_str());
        // Refused before its log entry, so the log never names a link that could not be made.
        if (const Status fits = RequireFittingPath(link); !fits) return fits;
        if (order == LogOrder::BeforeShortcut)
            if (const Status logged = LogFile(link); !logged) return logged;
        if (const Status made = PlaceShortcut(*target.Value(), pair.name, link); !made) Face().Note(made.Message());
        if (order == LogOrder::AfterShortcut)
            if (const Status logged = LogFile(link); !logged) return logged;
    }
    return {};
}

Status MakeAllShortcuts(const ShellFolderNames& names) {
    const std::string group = Setup.InstallScript->ReadValue(GroupSection, GroupKey, MissingValueMark);
    if (group != MissingValueMark) {
        const Result<std::string> programs = ShellFolder(names.programs);
        if (!programs) return programs.State();
        const std::string groupFolder = FormatText("%s\\%s", programs.Value().c_str(), group.c_str());
        if (const Status made = MakeGroupFolder(groupFolder); !made) return made;
        if (const Status made = MakeShortcuts(IconsSection, {&groupFolder, nullptr}, LogOrder::AfterShortcut); !made)
            return made;
    }
    if (const Status made = MakeShortcuts(StartButtonSection, {nullptr, names.startMenu}, LogOrder::AfterShortcut);
        !made)
        return made;
    return MakeShortcuts(DesktopSection, {nullptr, names.desktop}, LogOrder::BeforeShortcut);
}

// The target of the first pair of `section` that names an entry.
Result<std::optional<std::string>> FirstTargetIn(const char* section) {
    EntryList entries;
    Setup.InstallScript->ReadEntries(section, entries);
    for (const ShortcutPair& pair : ShortcutPairs(entries)) {
        Result<std::optional<std::string>> target = ShortcutTarget(pair.reference);
        if (!target || target.Value()) return target;
    }
    return std::optional<std::string>();
}

}  // namespace

Result<std::string> FirstShortcutTarget() {
    // In the order the shortcuts are made; [Icons] counts only with a group.
    const bool grouped = Setup.InstallScript->ReadValue(GroupSection, GroupKey, MissingValueMark) != MissingValueMark;
    for (const char* section : {IconsSection, StartButtonSection, DesktopSection}) {
        if (!grouped && section == IconsSection) continue;
        const Result<std::optional<std::string>> target = FirstTargetIn(section);
        if (!target) return target.State();
        if (target.Value()) return *target.Value();
    }
    return std::string();
}

Result<std::string> ProgramToStart() {
    const Result<std::optional<std::string>> target =
        ShortcutTarget(Setup.InstallScript->ReadValue(PackageSection, RunKey, ""));
    if (!target) return target.State();
    return target.Value().value_or(std::string());
}

Status InstallRun::CreateShortcuts() {
    // A package for the machine makes its shortcuts for every user; one for the user alone, for that user.
    const bool allUsers = !Setup.UserScope;
    const ShellFolderNames& names = allUsers ? CommonFolders : UserFolders;
    Setup.Registry->SetRootKey(allUsers ? HKEY_LOCAL_MACHINE : HKEY_CURRENT_USER);
    // Without the key the folder values read as empty texts.
    Setup.Registry->OpenKey(ShellFoldersKey, false);
    const Status made = MakeAllShortcuts(names);
    Setup.Registry->CloseKey();
    return made;
}
