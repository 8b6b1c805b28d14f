#include "script/ScriptRules.h"
#include "setupdata/ScriptGroups.h"
#include "setupdata/ScriptNames.h"

namespace {

constexpr const char* ShortcutSections[] = {IconsSection, StartButtonSection, DesktopSection};

void CheckReference(const ProfileText& script, const ProfileEntry& reference, Findings& findings) {
    const std::optional<ShortcutReference> target = ParseShortcutReference(reference.value);
    if (!target)
        findings.push_back({reference.line, Severity::Error,
                            "reference " + Quoted(reference.value) + " has no ]: the shortcut is skipped"});
    else if (!script.FindEntry(target->section, target->key))
        findings.push_back({reference.line, Severity::Error,
                            "reference " + Quoted(reference.value) + " names no entry: the shortcut is skipped"});
}

void CheckSection(const ProfileText& script, const char* name, Findings& findings) {
    const std::vector<const ProfileEntry*> entries = ListedEntries(script.Find(name));
    for (size_t i = 0; i + 1 < entries.size(); i += 2) CheckReference(script, *entries[i], findings);
    if (entries.size() % 2 != 0)
        findings.push_back({entries.back()->line, Severity::Error,
                            "[" + std::string(name) + "] ends with an odd entry out: it is ignored"});
}

}  // namespace

void CheckShortcuts(const CheckInput& input, Findings& findings) {
    for (const char* name : ShortcutSections) CheckSection(input.script, name, findings);
    const ProfileSection* icons = input.script.Find(IconsSection);
    if (!ListedEntries(icons).empty() && !input.script.FindEntry(GroupSection, GroupKey))
        findings.push_back({icons->line, Severity::Warning, "[Icons] is not read without [Group] group"});
}
