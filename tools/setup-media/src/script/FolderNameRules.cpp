#include "script/PackageFolder.h"
#include "script/PathMacroText.h"
#include "script/ScriptRules.h"
#include "script/SetupScript.h"
#include "script/WindowsNames.h"
#include "setupdata/ScriptGroups.h"
#include "setupdata/ScriptNames.h"

namespace {

void CheckFolder(const ProfileEntry& entry, const std::string& path, const std::string& what, Findings& findings) {
    if (const std::optional<std::string> fault = PathFault(path))
        findings.push_back({entry.line, Severity::Error, what + " " + Quoted(entry.value) + " cannot be made: " + *fault});
}

// Setup makes these; a name Windows refuses in any of them ends the install.
void CheckMadeFolders(const ProfileText& script, Findings& findings) {
    const std::vector<const ProfileEntry*> subfolders = ListedEntries(script.Find(InstallFolderSection));
    for (size_t i = 1; i < subfolders.size(); ++i) {
        const ProfileEntry& folder = *subfolders[i];
        if (IsFullPath(folder.value) || folder.value.starts_with('\\'))
            findings.push_back({folder.line, Severity::Error,
                                "the folder " + Quoted(folder.value) +
                                    " is made below the install folder: write it relative to it, or list a folder "
                                    "elsewhere in [OtherFolders]"});
        else
            CheckFolder(folder, folder.value, "the folder", findings);
    }
    for (const ProfileEntry* folder : ListedEntries(script.Find(OtherFoldersSection)))
        CheckFolder(*folder, folder->value, "the folder", findings);
    for (const ProgramFile& file : ProgramFiles(script)) {
        // The file's own name has a rule of its own.
        const std::string below = PathBelowRoot(file.entry->value);
        const size_t folderEnd = below.find_last_of('\\');
        CheckFolder(*file.entry, below.substr(0, folderEnd == std::string::npos ? 0 : folderEnd), "the destination",
                    findings);
    }
}

// A shortcut Windows cannot name is not made; the install goes on without it.
void CheckShortcutNames(const ProfileText& script, Findings& findings) {
    const ProfileEntry* group = script.FindEntry(GroupSection, GroupKey);
    if (group) CheckFolder(*group, group->value, "the program group", findings);
    for (const char* section : {IconsSection, StartButtonSection, DesktopSection}) {
        const std::vector<const ProfileEntry*> pairs = ListedEntries(script.Find(section));
        for (size_t i = 1; i < pairs.size(); i += 2) {
            const std::string& name = pairs[i]->value;
            const std::optional<std::string> fault =
                name.find('\\') != std::string::npos ? "holds \\, which no file name may" : CharacterFault(name);
            if (fault)
                findings.push_back({pairs[i]->line, Severity::Error,
                                    "the shortcut name " + Quoted(name) + " " + *fault + ": setup cannot make it"});
        }
    }
}

}  // namespace

void CheckFolderNames(const CheckInput& input, Findings& findings) {
    CheckMadeFolders(input.script, findings);
    CheckShortcutNames(input.script, findings);
}
