#pragma once
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "script/PackageLanguages.h"

// A licence for one language: [Licence] licence.<file tag>=<file> ("licence.de=lizenz.txt"),
// which setup reads before licence= when it speaks that language; exactly "none" for no licence
// page in it.

inline constexpr std::string_view LanguageLicencePrefix = "licence.";

bool IsLanguageLicenceKey(std::string_view key);

// The known language tag whose file tag `fileTag` is, without regard to case.
std::optional<std::string> LanguageOfFileTag(std::string_view fileTag);

// Every file a licence.<tag> entry names (but "none"), whatever its language: the package's
// licence texts are not its files.
std::vector<std::string> LanguageLicenceFiles(const ProfileText& script);

// The licence.<file tag> entry of an offered language, as setup reads it (the first of its key).
struct LanguageLicence {
    std::string tag;
    const ProfileEntry* entry = nullptr;
};
std::vector<LanguageLicence> OfferedLicences(const ProfileText& script, const PackageLanguages& languages);
