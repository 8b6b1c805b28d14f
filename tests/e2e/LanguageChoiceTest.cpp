#include <gtest/gtest.h>

#include <windows.h>

#include <cstdlib>
#include <string>

#include "e2e/SetupMedia.h"
#include "e2e/UiDriver.h"
#include "support/ShippedLanguages.h"

// Which language a run speaks: the person's display language, or the one "/LANG=" names when the
// media have it. The suite's wine session speaks English; scripts/test-display-language.sh runs
// these again in a session of its own whose display language is Japanese.

namespace {

// The display language as the platform has it for this session: "ja", "en", or another primary language's number.
std::string DisplayLanguageTag() {
    switch (PRIMARYLANGID(GetUserDefaultUILanguage())) {
        case LANG_JAPANESE:
            return "ja";
        case LANG_ENGLISH:
            return "en";
    }
    return std::to_string(PRIMARYLANGID(GetUserDefaultUILanguage()));
}

// The caption of the main window of a run started with `arguments`; the run is then closed.
std::string MainCaption(const SetupMedia& media, const std::string& arguments) {
    ProgramUnderTest setup(SetupExeIn(media.First()), arguments, media.First());
    HWND main = ui::WaitForWindow(setup.ProcessId(), "TMainForm");
    if (!main) return "(no main window)";
    const std::string caption = ui::TextOf(main);
    PostMessageA(main, WM_CLOSE, 0, 0);
    setup.WaitForExit(20000);
    return caption;
}

}  // namespace

TEST(LanguageChoice, TheDisplayLanguageSpeaksUnlessLangNamesOneTheMediaHave) {
    const std::string display = DisplayLanguageTag();
    if (const char* expected = std::getenv("SETUP_EXPECT_DISPLAY_LANGUAGE")) {
        ASSERT_EQ(display, expected);
    }
    const SetupMedia media("[Package]\nname=Spoken\nlanguages=all\n[Licence]\nlicence=none\n[InstallFolder]\n"
                           "install=%%PROGPATH%%\\Spoken\n[Disks]\nn=1\n[ProgramFiles01]\nfile1=%%INSTALLPATH%%\\app.txt\n",
                           "", {{{"app.txt", "an application file of the package"}}});
    ASSERT_EQ(media.Error(), "");
    const struct {
        const char* arguments;
        std::string speaks;
    } cases[] = {
        {"", display},
        {"/LANG=fr", "fr"},
        {"/lang=FR", "fr"},
        {"/LANG=ja", "ja"},
        {"/LANG=xx", display},  // no such language: the display language
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.arguments);
        std::string expected = CatalogText(c.speaks, "MainCaption");
        expected.replace(expected.find("%s"), 2, "Spoken");
        EXPECT_EQ(MainCaption(media, c.arguments), expected);
    }
}
