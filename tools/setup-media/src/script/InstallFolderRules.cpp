#include "script/PathMacroText.h"
#include "script/ScriptRules.h"
#include "script/SetupScript.h"
#include "script/WindowsNames.h"
#include "setupdata/ScriptNames.h"

namespace {

std::string PackageName(const ProfileText& script) {
    const ProfileEntry* name = script.FindEntry(PackageSection, PackageNameKey);
    return name ? name->value : std::string();
}

// Without [InstallFolder] install, setup proposes a folder at the top of the system drive.
void CheckProposed(const ProfileText& script, Findings& findings) {
    const ProfileEntry* name = script.FindEntry(PackageSection, PackageNameKey);
    const ProfileSection* section = script.Find(InstallFolderSection);
    const size_t line = section ? section->line : name ? name->line : 1;
    const std::string proposed = "c:\\" + PackageName(script);
    const char* usual = ScopeOf(script) == PackageScope::User ? "%%USERPROGRAMS%%" : "%%PROGPATH%%";
    findings.push_back({line, Severity::Warning,
                        "[InstallFolder] install is missing: setup proposes " + proposed +
                            ", at the top of the system drive; write install=" + usual + "\\" + PackageName(script)});
    if (const std::optional<std::string> fault = PathFault(proposed))
        findings.push_back({line, Severity::Error, "setup proposes " + Quoted(proposed) + ", and " + *fault});
}

// A folder other programs use too (a drive's top, a folder a macro stands for) gets the uninstall
// log of the first package installed there: setup refuses it to every other one.
bool IsSharedFolder(const std::string& folder) {
    const std::vector<std::string> parts = FolderParts(folder);
    if (parts.size() <= 1) return true;
    const MacroFolders machine = UsualMachine();
    for (const PathMacro& macro : PathMacros)
        if (macro.folder != &MacroFolders::installFolder && FolderParts(machine.*(macro.folder)) == parts) return true;
    return false;
}

}  // namespace

void CheckInstallFolder(const CheckInput& input, Findings& findings) {
    const ProfileText& script = input.script;
    const ProfileEntry* install = script.FindEntry(InstallFolderSection, InstallFolderKey);
    if (!install || script.IsWritten(install->line)) {
        if (script.FindEntry(PackageSection, PackageNameKey)) CheckProposed(script, findings);
        return;
    }
    // A misspelt macro has a finding of its own.
    if (!MisspeltMacros(install->value).empty() || !UnknownMacros(install->value).empty()) return;
    const std::string folder = ExpandMacros(install->value, UsualMachine());
    if (!IsFullPath(folder))
        findings.push_back({install->line, Severity::Error,
                            "the install folder " + Quoted(install->value) +
                                " is not a full path: every install ends with \"The install folder must be a full "
                                "path\"; start it with a drive (C:\\) or a macro such as %%PROGPATH%%"});
    else if (const std::optional<std::string> fault = PathFault(folder))
        findings.push_back({install->line, Severity::Error, "the install folder cannot be made: " + *fault});
    else if (IsSharedFolder(folder))
        findings.push_back({install->line, Severity::Warning,
                            "the install folder " + Quoted(install->value) +
                                " is shared with other programs: the uninstall log lies there, and setup refuses the "
                                "folder to a package when another one's log is there; give the package a folder of "
                                "its own"});
}
