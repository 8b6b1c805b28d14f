#include <gtest/gtest.h>

#include "fsutil/FileNames.h"

TEST(FileNames, FileNamePartIsTheTextAfterTheLastSeparator) {
    EXPECT_EQ(FileNamePart("C:\\Apps\\tool.exe"), "tool.exe");
    EXPECT_EQ(FileNamePart("A:tool.exe"), "tool.exe");
    EXPECT_EQ(FileNamePart("C:\\Apps:x\\b:tool.exe"), "tool.exe");
    EXPECT_EQ(FileNamePart("tool.exe"), "tool.exe");
    EXPECT_EQ(FileNamePart("C:\\Apps\\"), "");
    EXPECT_EQ(FileNamePart(""), "");
    // The first character is never a separator.
    EXPECT_EQ(FileNamePart("\\tool.exe"), "\\tool.exe");
    EXPECT_EQ(FileNamePart(":tool.exe"), ":tool.exe");
    EXPECT_EQ(FileNamePart("a\\tool.exe"), "tool.exe");
}

TEST(FileNames, CompressedNameMarksTheExtension) {
    EXPECT_EQ(CompressedFileName("setup.exe"), "setup.ex_");
    EXPECT_EQ(CompressedFileName("data.db"), "data.db_");
    EXPECT_EQ(CompressedFileName("page.html"), "page.html_");
    EXPECT_EQ(CompressedFileName("readme"), "readme._");
    EXPECT_EQ(CompressedFileName("a.b.c"), "a.b._");
    EXPECT_EQ(CompressedFileName("a.tar.gz"), "a.tar.gz_");
    EXPECT_EQ(CompressedFileName("name."), "name._");
}

TEST(FileNames, TruncationKeepsTheFirstCharactersAndAddsDots) {
    const std::string path60(60, 'p');
    EXPECT_EQ(TruncateWithDots(path60, 51), std::string(51, 'p') + "...");
    EXPECT_EQ(TruncateWithDots("abc", 51), "abc...");
}

TEST(FileNames, DisplayTextShowsAtMost54Characters) {
    const std::string path54(54, 'q');
    EXPECT_EQ(DisplayText(path54), path54);
    EXPECT_EQ(DisplayText(path54 + "r"), std::string(51, 'q') + "...");
    EXPECT_EQ(DisplayText("C:\\a.txt"), "C:\\a.txt");
}

// Names in UTF-8 are counted and cut by their characters, never inside one.
TEST(FileNames, NamesAreCountedAndCutByCharactersNotBytes) {
    const std::string chinese = "\xE7\x8E\x8B";  // one character, three bytes
    EXPECT_EQ(CompressedFileName("a." + chinese), "a." + chinese + "_");
    EXPECT_EQ(CompressedFileName("a.t" + chinese + "t"), "a.t" + chinese + "_");
    EXPECT_EQ(CompressedFileName(chinese + ".exe"), chinese + ".ex_");

    std::string path54;
    for (int i = 0; i < 54; ++i) path54 += chinese;
    EXPECT_EQ(DisplayText(path54), path54) << "54 characters are shown whole";
    EXPECT_EQ(DisplayText(path54 + "r"), path54.substr(0, 51 * 3) + "...");
    EXPECT_EQ(TruncateWithDots("ab\xF0\x9F\x98\x80" "cd", 3), "ab\xF0\x9F\x98\x80...");
}
