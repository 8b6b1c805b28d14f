#include <gtest/gtest.h>

#include <windows.h>

#include "base/Texts.h"
#include "e2e/SetupMedia.h"
#include "support/ShippedLanguages.h"
#include "support/TestFiles.h"

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
    const std::vector<std::string> tags = ShippedLanguageTags();
    ASSERT_GT(tags.size(), 1u);
    for (const std::string& tag : tags) {
        SCOPED_TRACE(tag);
        const std::string content = ReadTextFile(media.First() + "\\" + LanguageFileFor(tag));
        ASSERT_FALSE(content.empty());
        const EnglishAfterwards english;
        EXPECT_TRUE(UseLanguageFile(content, LanguageFileFor(tag).c_str()).empty());
        EXPECT_STREQ(Text(TextId::Greeting), "Hello, %s!\nWelcome");
        EXPECT_EQ(Text(TextId::TabAbout), CatalogText(tag, "TabAbout"));
        EXPECT_EQ(Text(TextId::MainExit), tag == "en" ? "&Quit" : CatalogText(tag, "MainExit"));
        EXPECT_EQ(Text(TextId::ProgressOk), CatalogText(tag, "ProgressOk"));
    }
}
