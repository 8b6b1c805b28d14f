#include <set>

#include "script/PathMacroText.h"
#include "script/ScriptRules.h"
#include "script/SetupScript.h"
#include "setupdata/ScriptNames.h"

namespace {

constexpr const char* LogSuffix = "\\uninstal.ini";

// Without [InstallFolder] install the setup offers "c:\" and the package name.
std::string OfferedInstallFolder(const ProfileText& script, const MacroFolders& machine) {
    if (const ProfileEntry* install = script.FindEntry(InstallFolderSection, InstallFolderKey))
        return ExpandMacros(install->value, machine);
    const ProfileEntry* name = script.FindEntry(PackageSection, PackageNameKey);
    return "c:\\" + (name ? name->value : std::string());
}

MacroFolders WithInstallFolder(MacroFolders machine, const ProfileText& script) {
    machine.installFolder = OfferedInstallFolder(script, machine);
    return machine;
}

// A finding when the path, as `expand` makes it for each machine, passes the limit: an
// error when it does so on a usual machine, a warning when only a long Program Files path
// takes it there.
template <class Expand>
void CheckLength(size_t line, const std::string& what, const Expand& expand, const MacroFolders& usual,
                 const MacroFolders& longer, Findings& findings) {
    const size_t usualLength = CharacterCount(expand(usual));
    const size_t longLength = CharacterCount(expand(longer));
    if (longLength <= MaxPathLength) return;
    if (usualLength > MaxPathLength)
        findings.push_back({line, Severity::Error,
                            what + " reaches " + std::to_string(usualLength) + " characters on a usual machine; " +
                                "paths must stay under 260"});
    else
        findings.push_back({line, Severity::Warning,
                            what + " reaches " + std::to_string(longLength) + " characters with a Program Files " +
                                "path of " + std::to_string(longer.programFiles.size()) +
                                "; paths must stay under 260"});
}

}  // namespace

void CheckPathLengths(const CheckInput& input, Findings& findings) {
    const ProfileText& script = input.script;
    const MacroFolders usual = WithInstallFolder(UsualMachine(), script);
    const MacroFolders longer = WithInstallFolder(LongPathMachine(), script);
    const auto check = [&](size_t line, const std::string& what, const auto& expand) {
        CheckLength(line, what, expand, usual, longer, findings);
    };
    const ProfileEntry* install = script.FindEntry(InstallFolderSection, InstallFolderKey);
    check(install ? install->line : LineOf(script.Find(PackageSection)), "the install folder with \\uninstal.ini",
          [](const MacroFolders& machine) { return machine.installFolder + LogSuffix; });
    std::set<const ProfileEntry*> destinations;
    for (const ProgramFile& file : ProgramFiles(script)) destinations.insert(file.entry);
    // Setup replaces macros into a path buffer, whatever the value is for.
    for (const ProfileEntry* entry : ExpandedEntries(script))
        if (entry != install)
            check(entry->line, destinations.count(entry) ? "the destination" : "the value with its macros replaced",
                  [&](const MacroFolders& machine) { return ExpandMacros(entry->value, machine); });
    const std::vector<const ProfileEntry*> subfolders = ListedEntries(script.Find(InstallFolderSection));
    for (size_t i = 1; i < subfolders.size(); ++i)
        check(subfolders[i]->line, "the folder",
              [&](const MacroFolders& machine) { return machine.installFolder + "\\" + subfolders[i]->value; });
    for (const ProfileEntry* folder : ListedEntries(script.Find(OtherFoldersSection)))
        check(folder->line, "the folder", [&](const MacroFolders&) { return folder->value; });
    for (const ProfileEntry* key : ListedEntries(script.Find(RegistryKeysSection)))
        if (CharacterCount(key->value) > MaxPathLength)
            findings.push_back({key->line, Severity::Error,
                                "the registry key has " + std::to_string(CharacterCount(key->value)) +
                                    " characters; at most 259 fit: setup stops with \"Error creating registry key\""});
}

void CheckOtherFolders(const CheckInput& input, Findings& findings) {
    for (const ProfileEntry* folder : ListedEntries(input.script.Find(OtherFoldersSection)))
        if (!IsFullPath(folder->value + "\\") && !HasMacroLikeText(folder->value))
            findings.push_back(
                {folder->line, Severity::Error,
                 Quoted(folder->value) + " is not a full path (like C:\\Data): it would be made wherever setup runs"});
}
