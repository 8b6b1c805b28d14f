#include <gtest/gtest.h>

#include "script/PackageLanguages.h"
#include "support/RepositoryCatalogs.h"
#include "texts/LanguageTags.h"

namespace {

// Catalogs as a setup-media could carry them: English, a sound German made of it (each text
// marked, its placeholders kept), a French with one placeholder changed, a Japanese one text
// short. No Korean.
std::string Marked(const std::string& english, const std::string& mark) {
    std::string catalog;
    for (size_t at = 0; at < english.size();) {
        const size_t end = english.find('\n', at);
        std::string line = english.substr(at, end - at);
        if (!line.empty() && line[0] != ';') line.insert(line.find('=') + 1, mark);
        catalog += line + "\n";
        at = end == std::string::npos ? english.size() : end + 1;
    }
    return catalog;
}

struct Catalogs {
    std::string english = RepositoryCatalog("en");
    std::string german = Marked(english, "[de] ");
    std::string french = [this] {
        std::string text = Marked(english, "[fr] ");
        text.replace(text.find("insert Disk %d"), 14, "insert Disk %s");
        return text;
    }();
    std::string japanese = [this] {
        std::string text = Marked(english, "[ja] ");
        const size_t at = text.find("TabAbout=");
        return text.erase(at, text.find('\n', at) + 1 - at);
    }();
    std::vector<ShippedCatalog> carried = {{"de", german}, {"en", english}, {"fr", french}, {"ja", japanese}};
};

const Catalogs& TestCatalogs() {
    static const Catalogs catalogs;
    return catalogs;
}

PackageLanguages Read(const std::string& script) {
    return ReadPackageLanguages(ProfileText::Parse(script), TestCatalogs().carried);
}

std::vector<std::string> OfferedTags(const PackageLanguages& languages) {
    std::vector<std::string> tags;
    for (const OfferedLanguage& language : languages.offered) tags.push_back(language.tag);
    return tags;
}

std::string Told(const PackageLanguages& languages) {
    std::string told;
    for (const Finding& finding : languages.findings)
        told += std::to_string(finding.line) + (finding.severity == Severity::Error ? ": error: " : ": warning: ") +
                finding.message + "\n";
    return told;
}

size_t IndexOf(const PackageLanguages& languages, const std::string& name) {
    const std::vector<std::string> names = languages.english.Names();
    return std::find(names.begin(), names.end(), name) - names.begin();
}

const std::string& TextOf(const PackageLanguages& languages, const std::string& tag, const std::string& name) {
    for (const OfferedLanguage& language : languages.offered)
        if (language.tag == tag) return language.texts.at(IndexOf(languages, name));
    static const std::string none = "(not offered)";
    return none;
}

struct Case {
    const char* name;
    std::string languages;  // the [Package] lines after name=
    std::string messages;   // sections after [Package]
    std::vector<std::string> offered;
    std::string findings;  // each "LINE: error: message" with its line end, in order
};

const std::vector<Case> Cases = {
    {"all without the key",
     "",
     "",
     {"en", "de"},
     "1: warning: the catalog of fr is damaged (languages/fr.txt:56: InsertDisk takes %s where English takes %d), so "
     "fr is not offered\n"
     "1: warning: the catalog of ja is damaged (languages/ja.txt: TabAbout is missing), so ja is not offered\n"},
    {"all by name, with a list",
     "languages=ALL, de\n",
     "",
     {"en", "de"},
     "3: warning: the catalog of fr is damaged (languages/fr.txt:56: InsertDisk takes %s where English takes %d), so "
     "fr is not offered\n"
     "3: warning: the catalog of ja is damaged (languages/ja.txt: TabAbout is missing), so ja is not offered\n"},
    {"listed, in any case and order, with blanks and commas", "languages=DE,en  \n", "", {"en", "de"}, ""},
    {"only English", "languages=en\n", "", {"en"}, ""},
    {"none listed",
     "languages=\n",
     "",
     {"en"},
     "3: warning: languages= names no language: setup speaks only English (languages=en says so)\n"},
    {"unknown tags",
     "languages=de, fx, pt, en-US\n",
     "",
     {"en", "de"},
     "3: error: languages=: \"fx\" is no language setup-media knows; did you mean fr?\n"
     "3: error: languages=: \"pt\" is no language setup-media knows; did you mean pt-BR?\n"
     "3: error: languages=: \"en-US\" is no language setup-media knows; did you mean en?\n"},
    {"named twice", "languages=de, de\n", "", {"en", "de"}, "3: warning: languages=: de stands a second time\n"},
    {"catalog missing",
     "languages=de, ko\n",
     "",
     {"en", "de"},
     "3: error: languages=: setup-media carries no catalog of ko (languages/ko.txt was not there when it was built)\n"},
    {"catalog damaged",
     "languages=fr\n",
     "",
     {"en"},
     "3: error: the catalog of fr is damaged (languages/fr.txt:56: InsertDisk takes %s where English takes %d), so fr "
     "is not offered\n"},
    {"the author's words",
     "languages=de\n",
     "[Messages]\nGreeting=Hello, %s.\\nWelcome\ngreeting=Again %s\nMainExit=Quit\\q\nGreting=Hi %s\nMainCaption=%d\n"
     "[Messages.DE]\nGreeting=Hallo %s\nTabAbout=\n[Messages.fr]\nGreeting=Salut %s\n[Messages.ko]\nGreeting=x %s\n"
     "[Messages.pt]\nGreeting=Oi %s\n",
     {"en", "de"},
     "6: warning: greeting= repeats line 5: only that one is used\n"
     "7: warning: MainExit=: a backslash before \"q\" is left out (\\n is a line break, \\\\ a backslash)\n"
     "8: warning: Greting= is no text setup shows, so it is not used; did you mean Greeting=?\n"
     "9: error: MainCaption= takes %d where the English text takes %s: setup shows the English text for one whose "
     "placeholders differ, in kind or order\n"
     "12: warning: TabAbout= is empty: setup shows nothing there\n"
     "13: warning: [Messages.fr]: fr is not offered (languages=), so these texts are not used\n"
     "15: warning: [Messages.ko]: ko is not offered (languages=), so these texts are not used\n"
     "17: error: [Messages.pt]: \"pt\" is no language setup-media knows; did you mean [Messages.pt-BR]?\n"},
};

}  // namespace

// What languages= asks for and the author's words in them, as offered and as told.
TEST(PackageLanguages, OfferedAsAskedAndToldAtTheirLines) {
    for (const Case& test : Cases) {
        SCOPED_TRACE(test.name);
        const PackageLanguages languages = Read("[Package]\nname=Languages\n" + test.languages + test.messages);
        EXPECT_EQ(OfferedTags(languages), test.offered);
        EXPECT_EQ(Told(languages), test.findings);
    }
}

// The author's words take the catalog's place: [Messages] in every language, [Messages.<tag>]
// in its own over those; the rest is the catalog's, English's built in unless changed.
TEST(PackageLanguages, TheAuthorsWordsTakeTheCatalogsPlace) {
    const PackageLanguages languages = Read(
        "[Package]\nname=L\nlanguages=de\n[Messages]\nGreeting=Hello, %s.\\nWelcome\\\\\nMainExit=E&nd\n"
        "[Messages.de]\nGreeting=Hallo %s\n");
    ASSERT_EQ(OfferedTags(languages), (std::vector<std::string>{"en", "de"}));
    EXPECT_EQ(TextOf(languages, "en", "Greeting"), "Hello, %s.\nWelcome\\");
    EXPECT_EQ(TextOf(languages, "de", "Greeting"), "Hallo %s");
    EXPECT_EQ(TextOf(languages, "de", "MainExit"), "E&nd");
    EXPECT_EQ(TextOf(languages, "de", "TabAbout"), "[de] &About");
    EXPECT_EQ(TextOf(languages, "en", "TabAbout"), "&About");
    EXPECT_TRUE(languages.offered[0].authored);
    EXPECT_TRUE(HasLanguageFile(languages.offered[0]));

    const PackageLanguages plain = Read("[Package]\nname=L\nlanguages=de\n");
    EXPECT_FALSE(HasLanguageFile(plain.offered[0])) << "English is built into setup.exe";
    EXPECT_TRUE(HasLanguageFile(plain.offered[1]));
    EXPECT_TRUE(plain.notCarried.empty());
    EXPECT_EQ(Read("[Package]\nname=L\n").notCarried.size(), KnownLanguageTags().size() - 4);
}

// The file setup reads for a language: by its primary subtag, Chinese by its script.
TEST(PackageLanguages, LanguageFilesAreNamedByTheirFileTag) {
    const std::vector<std::pair<std::string, std::string>> names = {{"de", "qupsetup-de.lng"},
                                                                    {"pt-BR", "qupsetup-pt.lng"},
                                                                    {"zh-Hans", "qupsetup-zh-Hans.lng"},
                                                                    {"zh-Hant", "qupsetup-zh-Hant.lng"},
                                                                    {"en", "qupsetup-en.lng"}};
    for (const auto& [tag, name] : names) EXPECT_EQ(LanguageFileName(tag), name);
    EXPECT_EQ(KnownTag("ZH-HANT"), "zh-Hant");
    EXPECT_EQ(NearestTag("zh"), "zh-Hans");
}
