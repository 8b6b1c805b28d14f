#include <windows.h>

#include <optional>

#include "fsutil/Directories.h"
#include "fsutil/PathMacros.h"
#include "fsutil/Shortcut.h"
#include "install/InstallRun.h"
#include "setupdata/ScriptGroups.h"
#include "setupdata/ScriptNames.h"
#include "state/SetupState.h"
#include "state/UninstallLog.h"

namespace {

constexpr const char* ShellFoldersKey = "\\Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";

// On Windows NT the shortcuts are for every user of the machine.
struct ShellFolderNames {
    const char* programs;
    const char* startMenu;
    const char* desktop;
};
constexpr ShellFolderNames CommonFolders{"Common Programs", "Common Start Menu", "Common Desktop"};
constexpr ShellFolderNames UserFolders{"Programs", "Start Menu", "Desktop"};

enum class LogOrder { AfterShortcut, BeforeShortcut };

// A missing value gives the empty text, so the folder becomes the root of the current drive.
std::string ShellFolder(const char* valueName) { return Setup.Registry->ReadString(valueName); }

// The group folder is logged even when it was there already, so the uninstall removes it once
// it is empty; a new one is logged level by level as it is made.
void MakeGroupFolder(const std::string& groupFolder) {
    if (DirectoryExists(groupFolder))
        LogDirectory(groupFolder);
    else
        CreateDirectoryPath(groupFolder);
}

// The target a pair's reference names, macros replaced; nothing when it names no entry.
std::optional<std::string> ShortcutTarget(const std::string& referenceText) {
    const std::optional<ShortcutReference> reference = ParseShortcutReference(referenceText);
    if (!reference) return std::nullopt;
    const std::string value = Setup.InstallScript->ReadValue(reference->section.c_str(), reference->key.c_str(), MissingValueMark);
    if (value == MissingValueMark) return std::nullopt;
    return ExpandPathMacros(value);
}

// Makes the shortcuts of one section's pairs in the folder `folderOf` gives for each pair.
// A shortcut that could not be written is logged all the same.
template <class FolderOf>
void MakeShortcuts(const char* section, FolderOf folderOf, LogOrder order) {
    EntryList entries;
    Setup.InstallScript->ReadEntries(section, entries);
    for (const ShortcutPair& pair : ShortcutPairs(entries)) {
        const std::optional<std::string> target = ShortcutTarget(pair.reference);
        if (!target) continue;
        const std::string link = folderOf() + "\\" + pair.name + ".lnk";
        // Refused before its log entry, so the log never names a link that could not be made.
        RequireFittingPath(link);
        if (order == LogOrder::BeforeShortcut) LogFile(link);
        CreateShortcut(*target, pair.name, link);
        if (order == LogOrder::AfterShortcut) LogFile(link);
    }
}

// The target of the first pair of `section` that names an entry.
std::optional<std::string> FirstTargetIn(const char* section) {
    EntryList entries;
    Setup.InstallScript->ReadEntries(section, entries);
    for (const ShortcutPair& pair : ShortcutPairs(entries))
        if (std::optional<std::string> target = ShortcutTarget(pair.reference)) return target;
    return std::nullopt;
}

}  // namespace

std::string FirstShortcutTarget() {
    // In the order the shortcuts are made; [Icons] counts only with a group.
    const bool grouped = Setup.InstallScript->ReadValue(GroupSection, GroupKey, MissingValueMark) != MissingValueMark;
    for (const char* section : {IconsSection, StartButtonSection, DesktopSection})
        if (grouped || section != IconsSection)
            if (std::optional<std::string> target = FirstTargetIn(section)) return *target;
    return {};
}

void InstallRun::CreateShortcuts() {
    const bool allUsers = Setup.IsWindowsNT == 1;
    const ShellFolderNames& names = allUsers ? CommonFolders : UserFolders;
    Setup.Registry->SetRootKey(allUsers ? HKEY_LOCAL_MACHINE : HKEY_CURRENT_USER);
    // Without the key the folder values read as empty texts.
    Setup.Registry->OpenKey(ShellFoldersKey, false);

    const std::string group = Setup.InstallScript->ReadValue(GroupSection, GroupKey, MissingValueMark);
    if (group != MissingValueMark) {
        const std::string groupFolder = ShellFolder(names.programs) + "\\" + group;
        MakeGroupFolder(groupFolder);
        MakeShortcuts(IconsSection, [&] { return groupFolder; }, LogOrder::AfterShortcut);
    }
    MakeShortcuts(StartButtonSection, [&] { return ShellFolder(names.startMenu); }, LogOrder::AfterShortcut);
    MakeShortcuts(DesktopSection, [&] { return ShellFolder(names.desktop); }, LogOrder::BeforeShortcut);
    Setup.Registry->CloseKey();
}
