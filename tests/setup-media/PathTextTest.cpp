#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "common/PathText.h"
#include "support/TestFiles.h"

// setup-media's names are UTF-8 text; on Windows the file written by such a name must be the
// one the ANSI calls (UTF-8 here, as in setup-media.exe) find by it, and a folder's listing must
// read back as the same text.
TEST(SetupMediaPathText, NamesReachTheDiskAndComeBackAsTheSameText) {
    const TempFolder temp;
    const std::string name = "\xC5\x81ukasz \xE7\x8E\x8B \xCE\x95\xCE\xBB\xCE\xBB\xCE\xAC\xCE\xB4\xCE\xB1.txt";
    std::ofstream(PathOfText(temp.Path()) / PathOfText(name)) << "written by its path";
    EXPECT_EQ(ReadTextFile(temp / name), "written by its path");
    const std::filesystem::directory_iterator listed(PathOfText(temp.Path()));
    ASSERT_NE(listed, std::filesystem::directory_iterator());
    EXPECT_EQ(TextOfPath(listed->path().filename()), name);
}
