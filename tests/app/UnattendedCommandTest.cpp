#include <gtest/gtest.h>

#include "app/UnattendedCommand.h"

TEST(UnattendedCommand, OnlySlashSFollowedByABlankOrTheEndSelectsTheMode) {
    for (const char* text : {"", "/SX", "/s", "C:\\App\\uninstal.ini", "\"/S\" C:\\App\\uninstal.ini", " /S"})
        EXPECT_FALSE(ParseUnattendedCommand(text)) << text;
    const auto install = ParseUnattendedCommand("/S");
    ASSERT_TRUE(install);
    EXPECT_FALSE(install->installFolder);
    EXPECT_EQ(install->logPath, "");
}

TEST(UnattendedCommand, TheRestIsTheInstallFolderOrTheLogVerbatim) {
    const auto folder = ParseUnattendedCommand("/S \t/D=C:\\Some Folder\\ with \"quotes\" ");
    ASSERT_TRUE(folder && folder->installFolder);
    EXPECT_EQ(*folder->installFolder, "C:\\Some Folder\\ with \"quotes\" ");
    EXPECT_EQ(folder->logPath, "");
    const auto emptyFolder = ParseUnattendedCommand("/S /D=");
    ASSERT_TRUE(emptyFolder && emptyFolder->installFolder);
    EXPECT_EQ(*emptyFolder->installFolder, "");
    const auto log = ParseUnattendedCommand("/S\tC:\\Program Files\\Pkg\\uninstal.ini");
    ASSERT_TRUE(log);
    EXPECT_FALSE(log->installFolder);
    EXPECT_EQ(log->logPath, "C:\\Program Files\\Pkg\\uninstal.ini");
}
