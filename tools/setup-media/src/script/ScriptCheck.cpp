#include "script/ScriptCheck.h"

#include <algorithm>

#include "script/FolderLines.h"
#include "script/ScriptRules.h"

namespace {

void SortByLine(Findings& findings) {
    std::stable_sort(findings.begin(), findings.end(),
                     [](const Finding& a, const Finding& b) { return a.line < b.line; });
}

}  // namespace

size_t LineOf(const ProfileSection* section) { return section ? section->line : 1; }

std::string Quoted(const std::string& text) { return "\"" + text + "\""; }

Findings CheckScript(const CheckInput& input) {
    Findings findings;
    for (const auto rule : {CheckNames, CheckPackage, CheckLicence, CheckInstallFolder, CheckDisks, CheckListedSections,
                            CheckRegistry, CheckShortcuts, CheckMacros, CheckPathLengths, CheckOtherFolders, CheckFolderNames,
                            CheckDestinations, CheckMedia, CheckPackageFiles, CheckText, CheckScopeFolders, CheckLanguages})
        rule(input, findings);
    for (Finding& finding : findings) finding.line = input.script.AuthoredLine(finding.line);
    SortByLine(findings);
    return findings;
}

CheckedScript CheckPackageScript(const ProfileText& authored, const std::filesystem::path& packageFolder,
                                 std::function<bool(int disk, const std::string& name)> mediaHolds,
                                 bool disksAssignedByBuild) {
    WrittenOut written = WriteOutFolderLines(authored, PackageFolder(packageFolder));
    Findings findings = CheckScript({written.script, packageFolder, std::move(mediaHolds), disksAssignedByBuild});
    findings.insert(findings.end(), written.findings.begin(), written.findings.end());
    SortByLine(findings);
    return {std::move(written.script), std::move(findings)};
}
