#include <gtest/gtest.h>

#include <map>
#include <set>

#include "base/Placeholders.h"
#include "base/TextId.h"
#include "support/RepositoryCatalogs.h"
#include "texts/LanguageFile.h"
#include "texts/ShippedCatalogs.h"
#include "texts/TextCatalog.h"

namespace {

// The buttons and tabs of each window, whose keyboard letters ("&") must differ within it. The
// Install and Uninstall tabs are never shown together, but are kept apart all the same.
const std::map<std::string, std::vector<std::string>> Windows = {
    {"main", {"TabInstall", "TabUninstall", "TabAbout", "MainContinue", "MainExit", "MainUninstall"}},
    {"licence", {"LicenceAgree", "LicenceExit"}},
    {"destination", {"DestinationChangeFolder", "DestinationInstall", "DestinationExit"}},
    {"chooser", {"ChooserOk", "ChooserCancel", "ChooserNewFolder"}},
    {"new folder", {"NewFolderCreate", "NewFolderDone"}},
    {"progress", {"ProgressCancel"}},
};

TextCatalog Parsed(const std::string& tag) {
    const ReadCatalog read = ParseCatalog(RepositoryCatalog(tag));
    EXPECT_FALSE(read.fault) << "languages/" << tag << ".txt:" << read.fault->line << ": " << read.fault->message;
    return read.catalog;
}

// The character after the one "&" of `text` that marks a letter, in lower case for the letters
// that have one in Latin, Greek and Cyrillic (as the system matches a key to it), or empty when no
// "&" marks one ("&&" is an ampersand shown).
std::string KeyboardLetter(const std::string& text) {
    for (size_t at = text.find('&'); at != std::string::npos && at + 1 < text.size(); at = text.find('&', at + 2)) {
        if (text[at + 1] == '&') continue;
        std::string letter = text.substr(at + 1, 1);
        const auto lead = static_cast<unsigned char>(letter[0]);
        if (lead < 0x80) return std::string(1, static_cast<char>(std::tolower(lead)));
        letter = text.substr(at + 1, lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : 2);
        if (letter.size() != 2) return letter;
        char32_t c = (lead & 0x1F) << 6 | (static_cast<unsigned char>(letter[1]) & 0x3F);
        if ((c >= 0xC0 && c <= 0xDE && c != 0xD7) || (c >= 0x391 && c <= 0x3AB) || (c >= 0x410 && c <= 0x42F))
            c += 0x20;
        else if (c >= 0x400 && c <= 0x40F)
            c += 0x50;
        return {static_cast<char>(0xC0 | c >> 6), static_cast<char>(0x80 | (c & 0x3F))};
    }
    return {};
}

}  // namespace

// Every catalog of languages/ stands for English's: every name of en.txt and no other, each text
// with English's placeholders in their order, none empty where English's is not, and within each
// window a keyboard letter for each button or tab that has one in English, no two alike. A text
// added to en.txt fails here until every translation has it.
TEST(LanguageCatalogs, EveryCatalogStandsForTheEnglishOne) {
    const TextCatalog english = Parsed("en");
    EXPECT_EQ(english.texts.size(), static_cast<size_t>(TextId::Count)) << "src/base/TextId.h is not what en.txt makes";
    for (const std::string& tag : RepositoryCatalogTags()) {
        SCOPED_TRACE("languages/" + tag + ".txt");
        const TextCatalog catalog = Parsed(tag);
        for (const CatalogText& text : catalog.texts)
            EXPECT_TRUE(english.Find(text.name)) << text.line << ": " << text.name << " is not in en.txt";
        for (const CatalogText& original : english.texts) {
            const CatalogText* text = catalog.Find(original.name);
            if (!text) {
                ADD_FAILURE() << original.name << " is missing";
                continue;
            }
            EXPECT_TRUE(SamePlaceholders(original.text.c_str(), text->text.c_str()))
                << text->line << ": " << text->name << " takes " << PlaceholdersTold(text->text) << ", English "
                << PlaceholdersTold(original.text);
            EXPECT_TRUE(original.text.empty() || !text->text.empty())
                << text->line << ": " << text->name << " is empty";
        }
        for (const auto& [window, names] : Windows) {
            std::map<std::string, std::string> letters;  // letter, the text that has it
            for (const std::string& name : names) {
                const CatalogText* text = catalog.Find(name);
                if (!text || KeyboardLetter(english.Find(name)->text).empty()) continue;
                const std::string letter = KeyboardLetter(text->text);
                EXPECT_FALSE(letter.empty()) << text->line << ": " << name << " has no keyboard letter";
                const auto [other, isNew] = letters.emplace(letter, name);
                EXPECT_TRUE(letter.empty() || isNew)
                    << text->line << ": " << name << " has the keyboard letter " << letter << " of " << other->second
                    << " in the " << window << " window";
            }
        }
    }
}

// A language file is for the English catalog setup.exe was built with: setup-media's identity
// of en.txt is the one scripts/make-texts.py gave setup.exe (src/base/TextId.h).
TEST(LanguageCatalogs, EnglishIdentityIsSetupsOwn) { EXPECT_EQ(CatalogIdentity(Parsed("en")), TextCatalogId); }

// setup-media carries the catalogs of languages/ as they are, each byte, and all of them.
TEST(LanguageCatalogs, SetupMediaCarriesEveryCatalogOfTheRepository) {
    std::map<std::string, std::string> carried, repository;
    for (const ShippedCatalog& catalog : ShippedCatalogs()) carried.emplace(catalog.tag, catalog.content);
    for (const std::string& tag : RepositoryCatalogTags()) repository.emplace(tag, RepositoryCatalog(tag));
    EXPECT_TRUE(carried == repository) << carried.size() << " carried, " << repository.size() << " in languages/";
}

// What the reader of catalogs refuses, at its line.
TEST(LanguageCatalogs, ADamagedCatalogIsToldAtItsLine) {
    const std::vector<std::tuple<std::string, size_t, std::string>> cases = {
        {"; comment\n\nOne=1\nTwo=2\n", 0, ""}, {"One=1\r\nlower=2\n", 2, "not NAME=TEXT"},
        {"One=1\nTwo\n", 2, "not NAME=TEXT"},   {"One=1\nOne=2\n", 2, "One stands a second time"},
        {"One=1\nTwo=\xC3(\n", 2, "not UTF-8"}, {"\xEF\xBB\xBFOne=a\\nb\\\\c\\d\n", 0, ""},
    };
    for (const auto& [content, line, message] : cases) {
        SCOPED_TRACE(content);
        const ReadCatalog read = ParseCatalog(content);
        ASSERT_EQ(read.fault.has_value(), line != 0);
        if (!read.fault) continue;
        EXPECT_EQ(read.fault->line, line);
        EXPECT_NE(read.fault->message.find(message), std::string::npos) << read.fault->message;
    }
    EXPECT_EQ(ParseCatalog("One=a\\nb\\\\c\\d\n").catalog.texts.at(0).text, "a\nb\\cd");
}
