#include <map>

#include "common/NearestName.h"
#include "script/ScriptRules.h"
#include "script/SetupScript.h"
#include "setupdata/ScriptNames.h"

namespace {

// Sections walked by position in groups, where a missing entry moves the later ones into
// other roles; in the other listed sections it is only lost.
constexpr const char* GroupedSections[] = {InstallFolderSection, KeyValuesSection, IconsSection, StartButtonSection,
                                           DesktopSection};
constexpr const char* OtherListedSections[] = {OtherFoldersSection, RegistryKeysSection};

bool IsGrouped(const ProfileSection& section) {
    for (const char* name : GroupedSections)
        if (EqualIgnoringCase(section.name, name)) return true;
    return false;
}

bool IsListed(const ProfileSection& section, const ProfileText& script) {
    if (script.Find(section.name) != &section) return false;
    for (const char* name : OtherListedSections)
        if (EqualIgnoringCase(section.name, name)) return true;
    return IsGrouped(section) || IsReadAsDiskSection(section, script);
}

void CheckEntries(const ProfileSection& section, Findings& findings) {
    std::map<std::string, size_t> firstLine;
    for (const ProfileEntry& entry : section.entries) {
        const auto [first, isNew] = firstLine.emplace(LowerCase(entry.name), entry.line);
        if (!isNew)
            findings.push_back({entry.line, Severity::Error,
                                "key " + Quoted(entry.name) + " repeats line " + std::to_string(first->second) +
                                    ": this entry is never read"});
        else if (entry.value.empty() && IsGrouped(section))
            findings.push_back({entry.line, Severity::Error,
                                "empty value in [" + section.name + "]: the entries after it move into other roles"});
        else if (entry.value.empty())
            findings.push_back({entry.line, Severity::Warning, "empty value: the entry is ignored"});
    }
}

void CheckRepeatedSections(const ProfileText& script, Findings& findings) {
    for (const ProfileSection& section : script.Sections()) {
        const ProfileSection* first = script.Find(section.name);
        if (first != &section)
            findings.push_back({section.line, Severity::Error,
                                "[" + section.name + "] stands a second time (first at line " +
                                    std::to_string(first->line) + "): only the first is read"});
    }
}

// The setup skips the entry in the first position, which is meant to be the install folder.
void CheckInstallFolderFirst(const ProfileText& script, Findings& findings) {
    const std::vector<const ProfileEntry*> listed = ListedEntries(script.Find(InstallFolderSection));
    if (listed.empty() || EqualIgnoringCase(listed.front()->name, InstallFolderKey)) return;
    const bool slip = NearestName(listed.front()->name, {InstallFolderKey}).has_value();
    findings.push_back({listed.front()->line, Severity::Error,
                        "the first entry of [InstallFolder] is never created: put install= first" +
                            (slip ? " (" + listed.front()->name + "= is not install=)" : std::string())});
}

}  // namespace

void CheckListedSections(const CheckInput& input, Findings& findings) {
    for (const ProfileSection& section : input.script.Sections())
        if (IsListed(section, input.script)) CheckEntries(section, findings);
    CheckRepeatedSections(input.script, findings);
    CheckInstallFolderFirst(input.script, findings);
}
