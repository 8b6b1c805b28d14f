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
