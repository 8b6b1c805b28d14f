#include <set>

#include "common/NearestName.h"
#include "script/PathMacroText.h"
#include "script/ScriptRules.h"
#include "script/SetupScript.h"
#include "setupdata/ScriptGroups.h"
#include "setupdata/ScriptNames.h"

namespace {

constexpr const char* ShortcutSections[] = {IconsSection, StartButtonSection, DesktopSection};
constexpr size_t KeyValueGroupSize = 4;

// "%%PROGPATH%%, ... and %%APPDATA%%"
std::string MacroList() {
    std::string list;
    for (const PathMacro& macro : PathMacros)
        list += (list.empty() ? "" : &macro == std::end(PathMacros) - 1 ? " and " : ", ") + std::string(macro.token);
    return list;
}

void CheckExpanded(const ProfileEntry& entry, Findings& findings) {
    for (const MisspeltMacro& macro : MisspeltMacros(entry.value))
        findings.push_back({entry.line, Severity::Error,
                            macro.written + " is not a macro: setup leaves it in the path as written; write " +
                                std::string(macro.meant)});
    for (const std::string& macro : UnknownMacros(entry.value)) {
        const std::optional<std::string> nearest = NearestName(macro, MacroNames());
        findings.push_back({entry.line, Severity::Error,
                            "unknown macro " + macro + ", left in the path as written (" +
                                (nearest ? "did you mean " + *nearest + "? " : "") + "the macros are " + MacroList() +
                                ", in capitals)"});
    }
}

void CheckNotExpanded(const ProfileSection& section, const std::set<const ProfileEntry*>& expanded,
                      Findings& findings) {
    for (const ProfileEntry& entry : section.entries)
        if (!expanded.count(&entry) && HasMacroLikeText(entry.value))
            findings.push_back(
                {entry.line, Severity::Error,
                 "macros are not expanded in [" + section.name + "]" +
                     (EqualIgnoringCase(section.name, InstallFolderSection) ? " except in install" : "")});
}

}  // namespace

std::set<const ProfileEntry*> ExpandedEntries(const ProfileText& script) {
    std::set<const ProfileEntry*> expanded;
    if (const ProfileEntry* install = script.FindEntry(InstallFolderSection, InstallFolderKey))
        expanded.insert(install);
    for (const ProgramFile& file : ProgramFiles(script)) expanded.insert(file.entry);
    const std::vector<const ProfileEntry*> values = ListedEntries(script.Find(KeyValuesSection));
    for (size_t i = 0; i + KeyValueGroupSize <= values.size(); i += KeyValueGroupSize)
        if (IsStringType(values[i + 3]->value)) expanded.insert(values[i + 2]);
    for (const char* name : ShortcutSections) {
        const std::vector<const ProfileEntry*> pairs = ListedEntries(script.Find(name));
        for (size_t i = 0; i + 1 < pairs.size(); i += 2)
            if (const auto target = ParseShortcutReference(pairs[i]->value))
                if (const ProfileEntry* entry = script.FindEntry(target->section, target->key)) expanded.insert(entry);
    }
    return expanded;
}

void CheckMacros(const CheckInput& input, Findings& findings) {
    const ProfileText& script = input.script;
    const std::set<const ProfileEntry*> expanded = ExpandedEntries(script);
    for (const ProfileEntry* entry : expanded) CheckExpanded(*entry, findings);
    for (const char* name : {InstallFolderSection, OtherFoldersSection, RegistryKeysSection, GroupSection, IconsSection,
                             StartButtonSection, DesktopSection})
        if (const ProfileSection* section = script.Find(name)) CheckNotExpanded(*section, expanded, findings);
}
