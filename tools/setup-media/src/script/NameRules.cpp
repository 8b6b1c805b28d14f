#include <map>
#include <string>
#include <vector>

#include "common/NearestName.h"
#include "fsutil/FileDigestRecord.h"
#include "script/LanguageLicences.h"
#include "script/PackageLanguages.h"
#include "script/ScriptRules.h"
#include "script/SetupScript.h"
#include "setupdata/ScriptGroups.h"
#include "setupdata/ScriptNames.h"

namespace {

// A section setup reads, and the keys it reads there; no keys for a section walked by position,
// whose key names are free.
struct KnownSection {
    std::string name;
    std::vector<std::string> keys;
};

const std::vector<KnownSection>& FixedSections() {
    static const std::vector<KnownSection> sections = {
        {PackageSection, {PackageNameKey, UninstallEntryKey, PackageVersionKey, PublisherKey, ScopeKey, LanguagesKey, RunKey,
                            RunArgumentsKey}},
        {LicenceSection, {LicenceKey}},
        {InstallFolderSection, {}},
        {OtherFoldersSection, {}},
        {DisksSection, {DiskCountKey}},
        {RegistryKeysSection, {}},
        {KeyValuesSection, {}},
        {GroupSection, {GroupKey}},
        {IconsSection, {}},
        {StartButtonSection, {}},
        {DesktopSection, {}},
        // Written by setup-media into the media's copy.
        {FileDigestsSection, {}},
        // Read by setup-media, which puts the texts into the language files; their names have a rule of their own.
        {std::string(MessagesSection), {}},
    };
    return sections;
}

// Names an author may well write for one setup reads, in the spelling of another country or
// another program.
const std::map<std::string, std::string>& OtherSpellings() {
    static const std::map<std::string, std::string> spellings = {
        {"license", LicenceSection}, {"startmenu", StartButtonSection}, {"start menu", StartButtonSection}};
    return spellings;
}

const KnownSection* FixedSectionNamed(std::string_view name) {
    for (const KnownSection& section : FixedSections())
        if (EqualIgnoringCase(section.name, name)) return &section;
    return nullptr;
}

// Sections a shortcut's reference names: setup reads the key named there, whatever the section.
bool IsShortcutTargetSection(const ProfileText& script, std::string_view name) {
    for (const char* shortcuts : {IconsSection, StartButtonSection, DesktopSection}) {
        const std::vector<const ProfileEntry*> entries = ListedEntries(script.Find(shortcuts));
        for (size_t i = 0; i + 1 < entries.size(); i += 2)
            if (const auto target = ParseShortcutReference(entries[i]->value))
                if (EqualIgnoringCase(target->section, name)) return true;
    }
    return false;
}

// Sections not checked here: the disk sections and the texts of one language ([Messages.de]) have
// rules of their own; the media names are written by setup-media.
bool HasRulesOfItsOwn(std::string_view name) {
    return DiskSectionNumber(name) || EqualIgnoringCase(name, DiskSectionPrefix) || MediaNamesSectionNumber(name) ||
           (IsMessagesSection(name) && !EqualIgnoringCase(name, MessagesSection));
}

// The name among `known` that `written` stands for in another spelling.
std::optional<std::string> OtherSpellingOf(const std::string& written, const std::vector<std::string>& known) {
    if (const auto other = OtherSpellings().find(LowerCase(written)); other != OtherSpellings().end())
        for (const std::string& name : known)
            if (EqualIgnoringCase(name, other->second)) return name;
    return std::nullopt;
}

// "; did you mean [Desktop]?", ": setup reads [Licence]" or nothing, with `open` and `close`
// around the name.
std::string Suggestion(const std::string& written, const std::vector<std::string>& known, const std::string& open,
                       const std::string& close) {
    if (const std::optional<std::string> other = OtherSpellingOf(written, known))
        return ": setup reads " + open + *other + close;
    if (const std::optional<std::string> nearest = NearestName(written, known))
        return "; did you mean " + open + *nearest + close + "?";
    return {};
}

std::vector<std::string> SectionNames(std::string_view written) {
    std::vector<std::string> names;
    for (const KnownSection& section : FixedSections()) names.push_back(section.name);
    // "[ProgramFile01]" is near "[ProgramFiles01]".
    const size_t digits = std::string_view(written).find_last_not_of("0123456789") + 1;
    if (digits < written.size()) names.push_back(std::string(DiskSectionPrefix) + std::string(written.substr(digits)));
    return names;
}

void CheckSectionName(const ProfileSection& section, Findings& findings) {
    const std::string suggestion = Suggestion(section.name, SectionNames(section.name), "[", "]");
    findings.push_back({section.line, Severity::Warning,
                        "[" + section.name + "] is not a section setup reads" +
                            (suggestion.empty() ? ": it is ignored" : suggestion)});
}

// The keyed section that reads `key`, other than `section`.
const KnownSection* SectionReading(std::string_view key, const KnownSection& section) {
    for (const KnownSection& other : FixedSections())
        for (const std::string& known : other.keys)
            if (&other != &section && EqualIgnoringCase(known, key)) return &other;
    if (EqualIgnoringCase(key, InstallFolderKey)) return FixedSectionNamed(InstallFolderSection);
    return nullptr;
}

std::string KeyList(const std::vector<std::string>& keys) {
    std::string list;
    for (const std::string& key : keys) list += (list.empty() ? "" : &key == &keys.back() ? " and " : ", ") + key;
    return list;
}

void CheckKey(const ProfileEntry& entry, const KnownSection& section, Findings& findings) {
    const std::string head = entry.name + "= is not a key setup reads in [" + section.name + "]";
    if (const KnownSection* other = SectionReading(entry.name, section)) {
        findings.push_back({entry.line, Severity::Warning, head + ": setup reads it in [" + other->name + "]"});
        return;
    }
    const std::string suggestion = Suggestion(entry.name, section.keys, "", "=");
    findings.push_back({entry.line, Severity::Warning,
                        head + (suggestion.empty() ? " (it reads " + KeyList(section.keys) + ")" : suggestion)});
}

// Setup reads the first line of a key; a second one is lost.
void CheckKeys(const ProfileSection& section, const KnownSection& known, Findings& findings) {
    std::map<std::string, size_t> firstLine;
    for (const ProfileEntry& entry : section.entries) {
        // A licence per language has rules of its own.
        if (&known == FixedSectionNamed(LicenceSection) && IsLanguageLicenceKey(entry.name)) continue;
        bool isKnown = false;
        for (const std::string& key : known.keys) isKnown |= EqualIgnoringCase(key, entry.name);
        if (!isKnown) {
            CheckKey(entry, known, findings);
            continue;
        }
        const auto [first, isNew] = firstLine.emplace(LowerCase(entry.name), entry.line);
        if (!isNew)
            findings.push_back({entry.line, Severity::Warning,
                                entry.name + "= repeats line " + std::to_string(first->second) +
                                    ": setup reads only that one"});
    }
}

}  // namespace

void CheckNames(const CheckInput& input, Findings& findings) {
    const ProfileText& script = input.script;
    for (const ProfileSection& section : script.Sections()) {
        // A repeated section has a finding of its own.
        if (script.Find(section.name) != &section || HasRulesOfItsOwn(section.name)) continue;
        if (const KnownSection* known = FixedSectionNamed(section.name)) {
            if (!known->keys.empty()) CheckKeys(section, *known, findings);
        } else if (!IsShortcutTargetSection(script, section.name)) {
            CheckSectionName(section, findings);
        }
    }
}

const ProfileSection* SectionMeaning(const ProfileText& script, const std::string& known) {
    for (const ProfileSection& section : script.Sections()) {
        if (FixedSectionNamed(section.name) || HasRulesOfItsOwn(section.name)) continue;
        const std::vector<std::string> names = SectionNames(section.name);
        const std::optional<std::string> meant = OtherSpellingOf(section.name, names);
        if (EqualIgnoringCase(meant.value_or(NearestName(section.name, names).value_or("")), known)) return &section;
    }
    return nullptr;
}
