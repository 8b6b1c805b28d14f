#include <gtest/gtest.h>

#include "app/UnattendedCommand.h"

TEST(UnattendedCommand, OnlyTheSilentSwitchFollowedByABlankOrTheEndSelectsTheMode) {
    for (const char* text : {"", "/SX", "\"/SX\"", "/S\"", "\"/S", "C:\\App\\uninstal.ini", " /S", "/D=C:\\App /S"})
        EXPECT_FALSE(ParseUnattendedCommand(text)) << text;
    for (const char* text : {"/S", "/s", "\"/S\"", "\"/s\"  ", "/S\t"}) {
        const auto install = ParseUnattendedCommand(text);
        ASSERT_TRUE(install) << text;
        EXPECT_FALSE(install->installFolder) << text;
        EXPECT_EQ(install->logPath, "") << text;
    }
}

TEST(UnattendedCommand, TheFolderOrTheLogInAnyCaseQuotedOrNotWithoutTheBlanksAround) {
    struct Case {
        const char* text;
        const char* folder;  // null: no /D=
        const char* log;
        bool verify = false;
    };
    const Case cases[] = {
        {"/S /D=C:\\Program Files\\App", "C:\\Program Files\\App", ""},
        {"/s /d=C:\\App ", "C:\\App", ""},
        {"\"/S\" \"/D=C:\\Program Files\\App\"", "C:\\Program Files\\App", ""},
        {"/S /D=\"C:\\Program Files\\App\" ", "C:\\Program Files\\App", ""},
        {"/S \t/D=  C:\\App\\ with \"quotes\"", "C:\\App\\ with \"quotes\"", ""},
        {"/S /D=", "", ""},
        {"/S /D=\"\"", "", ""},
        {"/S\tC:\\Program Files\\Pkg\\uninstal.ini", nullptr, "C:\\Program Files\\Pkg\\uninstal.ini"},
        {"\"/S\" \"C:\\Program Files\\Pkg\\uninstal.ini\" ", nullptr, "C:\\Program Files\\Pkg\\uninstal.ini"},
        {"/S /VERIFY C:\\Program Files\\Pkg\\uninstal.ini", nullptr, "C:\\Program Files\\Pkg\\uninstal.ini", true},
        {"/s /Verify\t\"C:\\Program Files\\Pkg\\uninstal.ini\" ", nullptr, "C:\\Program Files\\Pkg\\uninstal.ini", true},
        {"/S \"/VERIFY C:\\Pkg\\uninstal.ini\"", nullptr, "C:\\Pkg\\uninstal.ini", true},
        // Not the switch: a log path of its own, which the run refuses as not full.
        {"/S /VERIFYC:\\Pkg\\uninstal.ini", nullptr, "/VERIFYC:\\Pkg\\uninstal.ini"},
    };
    for (const Case& each : cases) {
        const auto command = ParseUnattendedCommand(each.text);
        ASSERT_TRUE(command) << each.text;
        EXPECT_EQ(command->installFolder.has_value(), each.folder != nullptr) << each.text;
        if (each.folder && command->installFolder) {
            EXPECT_EQ(*command->installFolder, each.folder) << each.text;
        }
        EXPECT_EQ(command->logPath, each.log) << each.text;
        EXPECT_EQ(command->verify, each.verify) << each.text;
    }
}
