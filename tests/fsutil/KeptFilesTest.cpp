#include <gtest/gtest.h>

#include <windows.h>

#include "fsutil/DestinationFile.h"
#include "setupdata/ProfileFile.h"
#include "state/SetupState.h"
#include "support/SetupStateScope.h"
#include "support/TestFiles.h"
#include "support/UnixTools.h"

namespace {

class KeptFilesTest : public ::testing::Test {
protected:
    KeptFilesTest() { ::Setup.TempDir = work.Path() + "\\"; }

    SetupStateScope scope;
    TempFolder work;
    TempFolder place;
};

}  // namespace

// A file moved aside has its place written beside it before it moves, so a run that ends
// abnormally leaves it where the next run finds it; the run that goes on puts it back.
TEST_F(KeptFilesTest, AFileMovedAsideIsRecordedAndPutBack) {
    const std::string file = place / "shared.dll";
    WriteTextFile(file, "the shared.dll that was there");
    ASSERT_TRUE(MoveAsideKept(file).Ok());
    EXPECT_FALSE(FileExists(file));
    EXPECT_EQ(ReadTextFile(work / "kept-1.tmp"), "the shared.dll that was there");
    EXPECT_EQ(ProfileFile(work / KeptFilesRecord).ReadValue("Kept", "kept-1.tmp", ""), file);

    EXPECT_TRUE(PutBackKeptFiles().empty());
    EXPECT_EQ(ReadTextFile(file), "the shared.dll that was there");
}

// Between moving a file aside and putting it back, its folder was replaced by a link to another
// folder: the file goes nowhere through it, not even for a moment, and the undo says so.
TEST_F(KeptFilesTest, AFileIsNeverPutBackThroughALinkPutInPlaceOfItsFolder) {
    TempFolder other;
    const std::string folder = place / "App";
    ASSERT_TRUE(CreateDirectoryA(folder.c_str(), nullptr));
    WriteTextFile(folder + "\\shared.dll", "the original");
    ASSERT_TRUE(MoveAsideKept(folder + "\\shared.dll").Ok());
    ASSERT_TRUE(RemoveDirectoryA(folder.c_str()));
    ASSERT_TRUE(MakeLink(folder, other.Path()));

    const std::vector<std::string> failures = PutBackKeptFiles();
    ASSERT_EQ(failures.size(), 1u);
    EXPECT_NE(failures[0].find(folder + "\\shared.dll"), std::string::npos) << failures[0];
    EXPECT_FALSE(FileExists(other / "shared.dll"));
    EXPECT_EQ(ReadTextFile(work / "kept-1.tmp"), "the original") << "still where the record says";
    RunUnixScript("rm " + ShellQuoted(UnixPathOf(folder)) + "\n");
}
