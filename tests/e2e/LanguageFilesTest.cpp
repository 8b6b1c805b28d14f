#include <gtest/gtest.h>

#include <windows.h>

#include "base/Texts.h"
#include "e2e/SetupMedia.h"
#include "support/TestFiles.h"

namespace {

// The text of `name` in a catalog of languages/, as its line writes it (the texts read here
// hold no escapes).
std::string CatalogText(const std::string& catalog, const std::string& name) {
    const size_t at = catalog.find("\n" + name + "=");
    if (at == std::string::npos) return "(missing)";
    const size_t start = at + name.size() + 2;
    return catalog.substr(start, catalog.find_first_of("\r\n", start) - start);
}

// The language file setup looks for: by the primary subtag, Chinese by its script as well.
std::string LanguageFileFor(const std::string& tag) {
    return "qupsetup-" + (tag.rfind("zh-", 0) == 0 ? tag : tag.substr(0, tag.find('-'))) + ".lng";
}

// Each test leaves the run's texts English, as it found them: a file that is no language file
// puts English back.
class EnglishAfterwards {
public:
    EnglishAfterwards() = default;
    ~EnglishAfterwards() { static_cast<void>(UseLanguageFile("", "none")); }
    EnglishAfterwards(const EnglishAfterwards&) = delete;
    EnglishAfterwards& operator=(const EnglishAfterwards&) = delete;
};

}  // namespace

// The language files setup-media.exe writes, read back by setup's own reader: every text is taken
// (the count, the catalog's identity and each placeholder agree), the author's words stand where
// [Messages] puts them, and every other text is the catalog's.
TEST(LanguageFiles, SetupReadsEveryFileAsTheCatalogAndTheAuthorSay) {
    const std::string script =
        "[Package]\nname=Spoken\nlanguages=all\n[Licence]\nlicence=none\n[InstallFolder]\n"
        "install=%%PROGPATH%%\\Spoken\n[Disks]\nn=1\n[ProgramFiles01]\nfile1=%%INSTALLPATH%%\\app.txt\n"
        "[Messages]\nGreeting=Hello, %s!\\nWelcome\n[Messages.en]\nMainExit=&Quit\n";
    const SetupMedia media(script, "", {{{"app.txt", "app"}}}, MediaMaker::WindowsTool);
    ASSERT_EQ(media.Error(), "");
    const std::string languages = WinePath(SETUP_SOURCE_UNIX_DIR "/languages");
    WIN32_FIND_DATAA found{};
    HANDLE search = FindFirstFileA((languages + "\\*.txt").c_str(), &found);
    ASSERT_NE(search, INVALID_HANDLE_VALUE);
    do {
        const std::string file = found.cFileName;
        const std::string tag = file.substr(0, file.size() - 4);
        SCOPED_TRACE(tag);
        const std::string catalog = "\n" + ReadTextFile(languages + "\\" + file);
        const std::string content = ReadTextFile(media.First() + "\\" + LanguageFileFor(tag));
        ASSERT_FALSE(content.empty());
        const EnglishAfterwards english;
        EXPECT_TRUE(UseLanguageFile(content, LanguageFileFor(tag).c_str()).empty());
        EXPECT_STREQ(Text(TextId::Greeting), "Hello, %s!\nWelcome");
        EXPECT_EQ(Text(TextId::TabAbout), CatalogText(catalog, "TabAbout"));
        EXPECT_EQ(Text(TextId::MainExit), tag == "en" ? "&Quit" : CatalogText(catalog, "MainExit"));
        EXPECT_EQ(Text(TextId::ProgressOk), CatalogText(catalog, "ProgressOk"));
    } while (FindNextFileA(search, &found));
    FindClose(search);
}
