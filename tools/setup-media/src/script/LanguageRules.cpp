#include <map>

#include "common/FileLookup.h"
#include "common/NearestName.h"
#include "script/LanguageLicences.h"
#include "script/PackageLanguages.h"
#include "script/ScriptRules.h"
#include "setupdata/ScriptNames.h"
#include "texts/LanguageTags.h"

namespace {

bool IsOffered(const PackageLanguages& languages, const std::string& tag) {
    for (const OfferedLanguage& language : languages.offered)
        if (language.tag == tag) return true;
    return false;
}

// The language of a licence.<file tag> key, when setup reads it for an offered one.
std::optional<std::string> LicenceLanguage(const ProfileEntry& entry, const PackageLanguages& languages,
                                           Findings& findings) {
    const std::string written = entry.name.substr(LanguageLicencePrefix.size());
    const std::optional<std::string> tag = LanguageOfFileTag(written);
    if (!tag) {
        std::vector<std::string> fileTags;
        for (const std::string& known : KnownLanguageTags()) fileTags.push_back(FileTagOf(known));
        const std::optional<std::string> spelt = KnownTag(written);
        const std::optional<std::string> nearest = spelt ? FileTagOf(*spelt) : NearestName(written, fileTags);
        findings.push_back({entry.line, Severity::Error,
                            entry.name + "= is read for no language" +
                                (spelt     ? ": setup reads licence." + *nearest + " for " + *spelt
                                 : nearest ? "; did you mean licence." + *nearest + "=?"
                                           : std::string())});
        return std::nullopt;
    }
    if (!IsOffered(languages, *tag)) {
        findings.push_back({entry.line, Severity::Warning,
                            entry.name + "=: " + *tag + " is not offered, so this licence is never shown"});
        return std::nullopt;
    }
    return tag;
}

void CheckLicenceFile(const CheckInput& input, const ProfileEntry& entry, const std::string& tag, Findings& findings) {
    if (entry.value.empty()) {
        findings.push_back(
            {entry.line, Severity::Warning,
             entry.name + "= is empty: name the licence text of " + tag + ", or none for no licence page"});
        return;
    }
    if (entry.value == NoLicenceValue) return;
    if (!input.scriptFolder.empty() && !HasFileIgnoringCase(input.scriptFolder, entry.value))
        findings.push_back({entry.line, Severity::Error,
                            "the licence text of " + tag + ", " + Quoted(entry.value) + ", is not beside the script"});
    if (input.mediaHolds && !input.mediaHolds(1, entry.value))
        findings.push_back({entry.line, Severity::Error,
                            "the licence text of " + tag + ", " + Quoted(entry.value) + ", is not on the media"});
}

void CheckLanguageLicences(const CheckInput& input, const PackageLanguages& languages, Findings& findings) {
    const ProfileSection* section = input.script.Find(LicenceSection);
    if (!section) return;
    std::map<std::string, size_t> firstLine;
    for (const ProfileEntry& entry : section->entries) {
        if (!IsLanguageLicenceKey(entry.name)) continue;
        if (const auto [first, isNew] = firstLine.emplace(LowerCase(entry.name), entry.line); !isNew) {
            findings.push_back(
                {entry.line, Severity::Warning,
                 entry.name + "= repeats line " + std::to_string(first->second) + ": setup reads only that one"});
            continue;
        }
        if (const std::optional<std::string> tag = LicenceLanguage(entry, languages, findings))
            CheckLicenceFile(input, entry, *tag, findings);
    }
}

void CheckLanguageFilesOnMedia(const CheckInput& input, const PackageLanguages& languages, Findings& findings) {
    if (!input.mediaHolds) return;
    for (const OfferedLanguage& language : languages.offered)
        if (HasLanguageFile(language) && !input.mediaHolds(1, LanguageFileName(language.tag)))
            findings.push_back({languages.line, Severity::Error,
                                LanguageFileName(language.tag) + " is not on disk 1 of the media: setup would speak " +
                                    "English where it should speak " + language.tag});
}

}  // namespace

void CheckLanguages(const CheckInput& input, Findings& findings) {
    const PackageLanguages languages = ReadPackageLanguages(input.script);
    findings.insert(findings.end(), languages.findings.begin(), languages.findings.end());
    CheckLanguageLicences(input, languages, findings);
    CheckLanguageFilesOnMedia(input, languages, findings);
}
