#include <gtest/gtest.h>

#include "app/ArgumentText.h"

TEST(ArgumentText, NothingOrOnlyBlanksAfterTheNameMeansInstallMode) {
    EXPECT_EQ(ArgumentText("setup.exe"), "");
    EXPECT_EQ(ArgumentText("setup.exe  \t "), "");
    EXPECT_EQ(ArgumentText("  \"C:\\Setup Media\\setup.exe\""), "");
    EXPECT_EQ(ArgumentText(""), "");
}

TEST(ArgumentText, QuotedNameWithBlankIsSkippedWhole) {
    EXPECT_EQ(ArgumentText("\"C:\\My Media\\setup.exe\" C:\\App\\uninstal.ini"), "C:\\App\\uninstal.ini");
}

TEST(ArgumentText, TheRestIsTakenVerbatim) {
    // Quotes stay, words are not split, blanks inside and at the end stay.
    EXPECT_EQ(ArgumentText("setup.exe \"C:\\App\\uninstal.ini\""), "\"C:\\App\\uninstal.ini\"");
    EXPECT_EQ(ArgumentText("setup.exe C:\\My App\\uninstal.ini "), "C:\\My App\\uninstal.ini ");
    EXPECT_EQ(ArgumentText("setup.exe\t \tC:\\a"), "C:\\a");
}

TEST(ArgumentText, QuotedNameEndsAtTabOrEndOfText) {
    EXPECT_EQ(ArgumentText("\"setup.exe\tC:\\log.ini"), "C:\\log.ini");
    EXPECT_EQ(ArgumentText("\"setup.exe"), "");
    // Text right after the closing quote, without a blank, is the argument.
    EXPECT_EQ(ArgumentText("\"setup.exe\"C:\\log.ini"), "C:\\log.ini");
}

// A switch with a value ("/LOG=") stands first or right after "/S"; its value ends at a blank unless
// it, or the whole switch, stands in quotes. Anywhere else it is part of a path and stays.
TEST(ArgumentText, ASwitchWithAValueIsTakenFirstOrAfterTheSilentSwitch) {
    const struct {
        const char* given;
        const char* value;
        const char* left;
    } cases[] = {
        {"/LOG=C:\\Logs\\a.log", "C:\\Logs\\a.log", ""},
        {"/log=C:\\a.log /S C:\\App\\uninstal.ini", "C:\\a.log", "/S C:\\App\\uninstal.ini"},
        {"/S /Log=\"C:\\My Logs\\a.log\" /VERIFY C:\\App\\uninstal.ini", "C:\\My Logs\\a.log", "/S /VERIFY C:\\App\\uninstal.ini"},
        {"/S \"/LOG=C:\\My Logs\\a.log\"\t/D=C:\\App", "C:\\My Logs\\a.log", "/S /D=C:\\App"},
        {"/S /LOG=relative.log", "relative.log", "/S"},
        {"/S /LOG=\"C:\\unended", "C:\\unended", "/S"},
        {"/S /D=C:\\App /LOG=C:\\a.log", "", "/S /D=C:\\App /LOG=C:\\a.log"},
        {"C:\\Apps /LOG=x\\uninstal.ini", "", "C:\\Apps /LOG=x\\uninstal.ini"},
        {"/LOGX", "", "/LOGX"},
        {"", "", ""},
    };
    for (const auto& each : cases) {
        std::string arguments = each.given;
        EXPECT_EQ(TakeLeadingSwitch(arguments, "/log="), each.value) << each.given;
        EXPECT_EQ(arguments, each.left) << each.given;
    }
}
