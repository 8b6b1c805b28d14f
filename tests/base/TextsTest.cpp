#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "base/FormatText.h"
#include "base/Texts.h"
#include "support/TestFiles.h"

namespace {

struct CatalogText {
    std::string name;
    std::string text;
};

// A catalog of languages/ as a person reads it: NAME=TEXT lines, "\n" a line break.
std::vector<CatalogText> Catalog(const char* tag) {
    const std::string content = ReadTextFile(WinePath(std::string(SETUP_SOURCE_UNIX_DIR) + "/languages/" + tag + ".txt"));
    std::vector<CatalogText> texts;
    size_t at = 0;
    while (at < content.size()) {
        size_t end = content.find('\n', at);
        if (end == std::string::npos) end = content.size();
        const std::string line = content.substr(at, end - at);
        at = end + 1;
        const size_t equals = line.find('=');
        if (line.empty() || line[0] == ';' || equals == std::string::npos) continue;
        std::string text;
        for (size_t i = equals + 1; i < line.size(); ++i)
            text += line[i] == '\\' && i + 1 < line.size() ? (line[++i] == 'n' ? '\n' : line[i]) : line[i];
        texts.push_back({line.substr(0, equals), text});
    }
    return texts;
}

// A language file as the media carry it, made of a catalog's texts in the English order.
std::string LanguageFile(const std::vector<CatalogText>& texts, unsigned catalog = TextCatalogId) {
    char header[32];
    std::snprintf(header, sizeof header, "qupsetup-texts %08x\n", catalog);
    std::string file = header;
    for (const CatalogText& text : texts) {
        for (const char c : text.text) file += c == '\n' ? std::string("\\n") : c == '\\' ? std::string("\\\\") : std::string(1, c);
        file += '\n';
    }
    return file;
}

TextId Id(size_t index) { return static_cast<TextId>(index); }

// Puts the English texts back for the tests that follow.
struct EnglishAfterwards {
    ~EnglishAfterwards() { UseLanguageFile(LanguageFile(Catalog("en")), "en"); }
};

}  // namespace

// What the program shows is what the catalog a translator reads says, name for name.
TEST(Texts, TheBuiltInTextsAreTheEnglishCatalogInItsOrder) {
    const std::vector<CatalogText> english = Catalog("en");
    ASSERT_EQ(english.size(), static_cast<size_t>(TextId::Count));
    for (size_t i = 0; i < english.size(); ++i) EXPECT_EQ(Text(Id(i)), english[i].text) << english[i].name;
    EXPECT_EQ(FormatText(TextId::InstallingDisk, "Notes", 2), "     Installing Notes...  Disk 2");
}

// A language file stands in for the English texts where its placeholders are the English ones;
// one of another catalog is not used at all.
TEST(Texts, ALanguageFileIsUsedWhereItsPlaceholdersAreTheEnglishOnes) {
    const EnglishAfterwards english;
    std::vector<CatalogText> german = Catalog("de");
    ASSERT_EQ(german.size(), static_cast<size_t>(TextId::Count));
    EXPECT_FALSE(UseLanguageFile(LanguageFile(german, TextCatalogId ^ 1), "qupsetup-de.lng").empty());
    EXPECT_STREQ(Text(TextId::MainContinue), "&Continue") << "a file of another catalog changes nothing";

    const size_t disk = static_cast<size_t>(TextId::InstallingDisk);
    german[disk].text = "Installiere Disk %d von %s";  // the placeholders swapped
    german[static_cast<size_t>(TextId::Greeting)].text = "Hallo %s, %s!";  // one too many
    const std::vector<std::string> refused = UseLanguageFile(LanguageFile(german), "qupsetup-de.lng");
    ASSERT_EQ(refused.size(), 2u);
    EXPECT_NE(refused[0].find("qupsetup-de.lng"), std::string::npos) << refused[0];
    EXPECT_EQ(Text(TextId::MainContinue), german[static_cast<size_t>(TextId::MainContinue)].text);
    EXPECT_STREQ(Text(TextId::InstallingDisk), "     Installing %s...  Disk %d") << "never read as the translation says";
    EXPECT_STREQ(Text(TextId::Greeting), "Hi %s !");
    EXPECT_TRUE(SamePlaceholders("%s of %d (%02x%%)", "%s von %d (%02x %%)"));
    EXPECT_TRUE(SamePlaceholders("%s", "%s%%s")) << "%%s is a percent sign and an s";
    EXPECT_FALSE(SamePlaceholders("%s", "%ls"));
}
