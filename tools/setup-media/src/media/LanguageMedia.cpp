#include "media/LanguageMedia.h"

#include <algorithm>

#include "script/LanguageLicences.h"
#include "script/PackageLanguages.h"
#include "setupdata/ScriptNames.h"
#include "texts/LanguageFile.h"
#include "texts/LanguageTags.h"

LanguageMedia LanguageMediaOf(const ProfileText& script, const std::optional<std::string>& licence) {
    const PackageLanguages languages = ReadPackageLanguages(script);
    LanguageMedia media{{}, {}, languages.notCarried};
    std::vector<std::string> carried;
    if (licence) carried.push_back(*licence);
    for (const LanguageLicence& own : OfferedLicences(script, languages)) {
        const std::string& name = own.entry->value;
        const auto same = [&](const std::string& other) { return EqualIgnoringCase(other, name); };
        if (name.empty() || name == NoLicenceValue || std::any_of(carried.begin(), carried.end(), same)) continue;
        carried.push_back(name);
        media.licences.push_back(name);
    }
    for (const OfferedLanguage& language : languages.offered)
        if (HasLanguageFile(language))
            media.files.push_back(
                {LanguageFileName(language.tag), LanguageFileText(languages.english, language.texts)});
    return media;
}
