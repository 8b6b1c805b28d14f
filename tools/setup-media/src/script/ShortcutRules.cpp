#include "common/LetterCase.h"
#include "script/PathMacroText.h"
#include "script/ScriptRules.h"
#include "script/SetupScript.h"
#include "setupdata/ScriptGroups.h"
#include "setupdata/ScriptNames.h"

namespace {

constexpr const char* ShortcutSections[] = {IconsSection, StartButtonSection, DesktopSection};

// Wherever it is, the install folder is a full path: setup refuses any other.
MacroFolders AnyInstallFolder() {
    MacroFolders machine = UsualMachine();
    machine.installFolder = "C:\\Install Folder";
    return machine;
}

void CheckReference(const ProfileText& script, const ProfileEntry& reference, Findings& findings) {
    const std::optional<ShortcutReference> target = ParseShortcutReference(reference.value);
    if (!target)
        findings.push_back({reference.line, Severity::Error,
                            "reference " + Quoted(reference.value) + " has no ]: the shortcut is skipped"});
    else if (const ProfileEntry* entry = script.FindEntry(target->section, target->key); !entry)
        findings.push_back({reference.line, Severity::Error,
                            "reference " + Quoted(reference.value) + " names no entry: the shortcut is skipped"});
    else if (!IsFullPath(ExpandMacros(entry->value, AnyInstallFolder())) && MisspeltMacros(entry->value).empty() &&
             UnknownMacros(entry->value).empty())
        findings.push_back({reference.line, Severity::Error,
                            "reference " + Quoted(reference.value) + " leads to " + Quoted(entry->value) +
                                ", which is not a full path: the shortcut leads nowhere"});
}

void CheckSection(const ProfileText& script, const char* name, Findings& findings) {
    const std::vector<const ProfileEntry*> entries = ListedEntries(script.Find(name));
    for (size_t i = 0; i + 1 < entries.size(); i += 2) CheckReference(script, *entries[i], findings);
    if (entries.size() % 2 != 0)
        findings.push_back({entries.back()->line, Severity::Error,
                            "[" + std::string(name) + "] ends with an odd entry out: it is ignored"});
}

// The shell's folders on a usual machine: the program groups' folder, the Start menu, the desktop.
struct ShellFolders {
    const char* programs;
    const char* startMenu;
    const char* desktop;
};
constexpr ShellFolders AllUsersFolders{"C:\\ProgramData\\Microsoft\\Windows\\Start Menu\\Programs",
                                       "C:\\ProgramData\\Microsoft\\Windows\\Start Menu", "C:\\Users\\Public\\Desktop"};
constexpr ShellFolders OneUsersFolders{"C:\\Users\\User\\AppData\\Roaming\\Microsoft\\Windows\\Start Menu\\Programs",
                                       "C:\\Users\\User\\AppData\\Roaming\\Microsoft\\Windows\\Start Menu",
                                       "C:\\Users\\User\\Desktop"};

// Setup refuses a shortcut whose file's path does not fit a path buffer, and the install ends.
void CheckLinkPaths(const ProfileText& script, Findings& findings) {
    const ShellFolders& shell = ScopeOf(script) == PackageScope::User ? OneUsersFolders : AllUsersFolders;
    const ProfileEntry* group = script.FindEntry(GroupSection, GroupKey);
    const std::pair<const char*, std::string> folders[] = {
        {IconsSection, group ? std::string(shell.programs) + "\\" + group->value : std::string()},
        {StartButtonSection, shell.startMenu},
        {DesktopSection, shell.desktop}};
    for (const auto& [section, folder] : folders) {
        const std::vector<const ProfileEntry*> pairs = ListedEntries(script.Find(section));
        for (size_t i = 1; !folder.empty() && i < pairs.size(); i += 2) {
            const size_t length = CharacterCount(folder + "\\" + pairs[i]->value + ".lnk");
            if (length > MaxPathLength)
                findings.push_back({pairs[i]->line, Severity::Error,
                                    "the shortcut's file " + Quoted(folder + "\\" + pairs[i]->value + ".lnk") +
                                        " reaches " + std::to_string(length) +
                                        " characters; paths must stay under 260: the install stops"});
        }
    }
}

// [Package] run= names a file the package installs, as a shortcut's target does; runargs= alone
// starts nothing.
void CheckRun(const ProfileText& script, Findings& findings) {
    const ProfileEntry* run = script.FindEntry(PackageSection, RunKey);
    if (!run) {
        if (const ProfileEntry* arguments = script.FindEntry(PackageSection, RunArgumentsKey))
            findings.push_back({arguments->line, Severity::Warning, "runargs= without run= starts nothing"});
        return;
    }
    const std::optional<ShortcutReference> target = ParseShortcutReference(run->value);
    const bool installed = target && EqualIgnoringCase(target->section.substr(0, 12), "ProgramFiles") &&
                           script.FindEntry(target->section, target->key);
    if (!installed)
        findings.push_back({run->line, Severity::Error,
                            "run " + Quoted(run->value) +
                                " names no file the package installs (such as [ProgramFiles01]file1): nothing is "
                                "started"});
}

}  // namespace

void CheckShortcuts(const CheckInput& input, Findings& findings) {
    for (const char* name : ShortcutSections) CheckSection(input.script, name, findings);
    CheckLinkPaths(input.script, findings);
    CheckRun(input.script, findings);
    // An empty name makes the Start menu's Programs folder itself the group.
    if (const ProfileEntry* group = input.script.FindEntry(GroupSection, GroupKey); group && group->value.empty())
        findings.push_back({group->line, Severity::Warning,
                            "the program group is empty: [Icons] shortcuts go into the Start menu's Programs folder "
                            "itself"});
    const ProfileSection* icons = input.script.Find(IconsSection);
    if (!ListedEntries(icons).empty() && !input.script.FindEntry(GroupSection, GroupKey))
        findings.push_back({icons->line, Severity::Warning, "[Icons] is not read without [Group] group"});
}
