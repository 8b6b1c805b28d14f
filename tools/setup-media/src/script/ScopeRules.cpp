#include <algorithm>
#include <optional>

#include "script/PathMacroText.h"
#include "script/ScriptRules.h"
#include "script/SetupScript.h"
#include "setupdata/ScriptNames.h"

namespace {

// Folders a standard user cannot make anything in on a usual machine; %%PROGPATH%%,
// %%COMMONPATH%%, %%WINDIR%% and %%WINSYS%% lead into them.
constexpr const char* AdministratorsFolders[] = {"C:\\Windows", "C:\\Program Files", "C:\\Program Files (x86)"};

// The one of those folders that `path` lies in, or null.
const char* AdministratorsFolderOf(std::string path) {
    std::replace(path.begin(), path.end(), '/', '\\');  // Windows takes either
    const std::vector<std::string> parts = FolderParts(path);
    for (const char* folder : AdministratorsFolders) {
        const std::vector<std::string> top = FolderParts(folder);
        if (parts.size() >= top.size() && std::equal(top.begin(), top.end(), parts.begin())) return folder;
    }
    return nullptr;
}

// What setup makes: the install folder, [OtherFolders] and the destinations.
std::vector<const ProfileEntry*> MadeEntries(const ProfileText& script) {
    std::vector<const ProfileEntry*> made = ListedEntries(script.Find(OtherFoldersSection));
    if (const ProfileEntry* install = script.FindEntry(InstallFolderSection, InstallFolderKey)) made.push_back(install);
    for (const ProgramFile& file : ProgramFiles(script)) made.push_back(file.entry);
    return made;
}

void CheckOneUsersFolders(const ProfileText& script, Findings& findings) {
    const std::set<const ProfileEntry*> expanded = ExpandedEntries(script);
    for (const ProfileEntry* entry : MadeEntries(script)) {
        const std::string path = expanded.count(entry) ? ExpandMacros(entry->value, UsualMachine()) : entry->value;
        if (const char* folder = AdministratorsFolderOf(path))
            findings.push_back({entry->line, Severity::Error,
                                Quoted(entry->value) + " lies in " + folder +
                                    ", which needs administrator rights: a per-user package (scope=user) installs "
                                    "into the user's own folders, such as %%USERPROGRAMS%%"});
    }
}

void CheckMachineWideFolders(const ProfileText& script, Findings& findings) {
    for (const ProfileEntry* entry : ExpandedEntries(script))
        if (const std::optional<std::string_view> macro = UserFolderMacroIn(entry->value))
            findings.push_back({entry->line, Severity::Warning, InAdministratorsProfile(std::string(*macro))});
}

}  // namespace

std::string InAdministratorsProfile(const std::string& what) {
    return what +
           " in a machine-wide package: when a standard user installs it, Windows asks for an administrator's "
           "account and this lands in that administrator's profile, not the user's (scope=user makes a per-user "
           "package)";
}

void CheckScopeFolders(const CheckInput& input, Findings& findings) {
    const std::optional<PackageScope> scope = ScopeOf(input.script);
    if (scope == PackageScope::User)
        CheckOneUsersFolders(input.script, findings);
    else if (scope == PackageScope::Machine)
        CheckMachineWideFolders(input.script, findings);
}
