#include "script/LanguageLicences.h"

#include "setupdata/ScriptNames.h"
#include "texts/LanguageTags.h"

bool IsLanguageLicenceKey(std::string_view key) {
    return key.size() > LanguageLicencePrefix.size() &&
           EqualIgnoringCase(key.substr(0, LanguageLicencePrefix.size()), LanguageLicencePrefix);
}

std::optional<std::string> LanguageOfFileTag(std::string_view fileTag) {
    for (const std::string& tag : KnownLanguageTags())
        if (EqualIgnoringCase(FileTagOf(tag), fileTag)) return tag;
    return std::nullopt;
}

std::vector<std::string> LanguageLicenceFiles(const ProfileText& script) {
    std::vector<std::string> files;
    if (const ProfileSection* section = script.Find(LicenceSection))
        for (const ProfileEntry& entry : section->entries)
            if (IsLanguageLicenceKey(entry.name) && !entry.value.empty() && entry.value != NoLicenceValue)
                files.push_back(entry.value);
    return files;
}

std::vector<LanguageLicence> OfferedLicences(const ProfileText& script, const PackageLanguages& languages) {
    std::vector<LanguageLicence> licences;
    for (const OfferedLanguage& language : languages.offered) {
        const std::string key = std::string(LanguageLicencePrefix) + FileTagOf(language.tag);
        if (const ProfileEntry* entry = script.FindEntry(LicenceSection, key))
            licences.push_back({language.tag, entry});
    }
    return licences;
}
