#include "script/ScriptCheck.h"

#include <algorithm>

#include "script/ScriptRules.h"

size_t LineOf(const ProfileSection* section) { return section ? section->line : 1; }

std::string Quoted(const std::string& text) { return "\"" + text + "\""; }

Findings CheckScript(const CheckInput& input) {
    Findings findings;
    for (const auto rule :
         {CheckPackage, CheckLicence, CheckDisks, CheckListedSections, CheckRegistry, CheckShortcuts, CheckMacros,
          CheckPathLengths, CheckOtherFolders, CheckDestinations, CheckMedia, CheckText, CheckScopeFolders})
        rule(input, findings);
    std::stable_sort(findings.begin(), findings.end(),
                     [](const Finding& a, const Finding& b) { return a.line < b.line; });
    return findings;
}
