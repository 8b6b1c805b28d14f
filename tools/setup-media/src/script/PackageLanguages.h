#pragma once
#include <string>
#include <string_view>
#include <vector>

#include "script/Finding.h"
#include "texts/ShippedCatalogs.h"
#include "texts/TextCatalog.h"

// The languages a package offers and the author's own words in them, which setup-media reads
// (setup.exe reads only the language files it writes):
//   [Package] languages=de, fr, ja   the tags offered; "all" (and no key) for every one shipped
//   [Messages]      NAME=TEXT        a text by its name in languages/en.txt, for every language
//   [Messages.de]   NAME=TEXT        for one language, by its tag as languages= writes it
// Texts are written as in a catalog ("\n" a line break, "\\" a backslash) and take the English
// text's placeholders.

inline constexpr const char* LanguagesKey = "languages";
inline constexpr const char* AllLanguagesValue = "all";
inline constexpr std::string_view MessagesSection = "Messages";

// [Messages] or [Messages.<anything>].
bool IsMessagesSection(std::string_view name);

// An offered language with the texts setup shows in it: its catalog's, with the author's words
// in their place.
struct OfferedLanguage {
    std::string tag;
    std::vector<std::string> texts;  // one for each English text, in the English catalog's order
    bool authored = false;           // the author changed a text of it
};

struct PackageLanguages {
    TextCatalog english;
    std::vector<OfferedLanguage> offered;  // English first, then in the order of KnownLanguageTags
    std::vector<std::string> notCarried;   // languages asked for whose catalog this setup-media lacks
    size_t line = 1;                       // of languages=, or of [Package] without it
    Findings findings;                     // about languages=, the catalogs and the author's words
};

// With the catalogs this setup-media carries, or others (a test's).
PackageLanguages ReadPackageLanguages(const ProfileText& script,
                                      const std::vector<ShippedCatalog>& catalogs = ShippedCatalogs());

// Whether the media carry a file of the language: every one but English, which setup.exe holds,
// and English too when the author changed its texts.
bool HasLanguageFile(const OfferedLanguage& language);
