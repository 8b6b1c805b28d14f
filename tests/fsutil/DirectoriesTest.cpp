#include <gtest/gtest.h>

#include "base/PathLimit.h"
#include "fsutil/Directories.h"
#include "support/SetupStateScope.h"
#include "support/TestFiles.h"

namespace {

class DirectoriesTest : public ::testing::Test {
protected:
    DirectoriesTest() { state_.OpenUninstallLog(logFolder_ / "uninstal.ini"); }

    TempFolder folder_;
    TempFolder logFolder_;
    SetupStateScope state_;
    CurrentFolderGuard restoreAfterTest_;
    const std::string startFolder_ = CurrentFolder();
};

using Lines = std::vector<std::string>;

// Whether the walk made the whole path, when it did not fail.
bool Made(const Result<bool>& walked) {
    EXPECT_TRUE(walked.Ok()) << walked.Message();
    return walked.Ok() && walked.Value();
}

}  // namespace

TEST_F(DirectoriesTest, DirectoryExistsOnlyForFoldersThatCanBeEntered) {
    WriteTextFile(folder_ / "file.txt", "x");
    EXPECT_TRUE(DirectoryExists(folder_.Path()));
    EXPECT_FALSE(DirectoryExists(folder_ / "file.txt"));
    EXPECT_FALSE(DirectoryExists(folder_ / "missing"));
    EXPECT_FALSE(DirectoryExists(folder_ / "a<b"));
    EXPECT_EQ(CurrentFolder(), startFolder_);
}

TEST_F(DirectoriesTest, MissingLevelsAreCreatedAndLoggedParentsFirst) {
    const std::string path = folder_ / "Tools\\Viewer\\Data";
    EXPECT_TRUE(Made(CreateDirectoryPath(path)));
    EXPECT_TRUE(FolderExists(path));
    EXPECT_EQ(UninstallLogLines("Directories"), Lines({"dir1=" + (folder_ / "Tools"), "dir2=" + (folder_ / "Tools\\Viewer"),
                                          "dir3=" + path}));
    EXPECT_EQ(::Setup.DirEntryCount, 3);
    EXPECT_EQ(CurrentFolder(), startFolder_);
}

TEST_F(DirectoriesTest, ExistingPathsAndDriveRootsWriteNothing) {
    EXPECT_TRUE(Made(CreateDirectoryPath(folder_.Path())));
    EXPECT_TRUE(Made(CreateDirectoryPath("C:\\")));
    EXPECT_TRUE(Made(CreateDirectoryPath("C:")));
    // The drive level is never tested, not even when the drive does not exist.
    EXPECT_TRUE(Made(CreateDirectoryPath("Q:")));
    EXPECT_TRUE(UninstallLogLines("Directories").empty());
    EXPECT_EQ(::Setup.DirEntryCount, 0);
    EXPECT_EQ(CurrentFolder(), startFolder_);
}

TEST_F(DirectoriesTest, TrailingBackslashStaysWithTheLastLevel) {
    const std::string path = folder_ / "A\\B\\";
    EXPECT_TRUE(Made(CreateDirectoryPath(path)));
    EXPECT_TRUE(FolderExists(folder_ / "A\\B"));
    EXPECT_EQ(UninstallLogLines("Directories"), Lines({"dir1=" + (folder_ / "A"), "dir2=" + path}));
}

TEST_F(DirectoriesTest, CountersGoOnAcrossCallsAndOtherWriters) {
    ::Setup.DirEntryCount = 0;
    EXPECT_TRUE(Made(CreateDirectoryPath(folder_ / "One")));
    EXPECT_TRUE(::Setup.UninstallLog->WriteValue("Directories", "dir2", "C:\\Group").Ok());
    ++::Setup.DirEntryCount;
    EXPECT_TRUE(Made(CreateDirectoryPath(folder_ / "Two")));
    EXPECT_EQ(UninstallLogLines("Directories"),
              Lines({"dir1=" + (folder_ / "One"), "dir2=C:\\Group", "dir3=" + (folder_ / "Two")}));
}

TEST_F(DirectoriesTest, RefusedNameEndsTheWalkWithLevelsSoFarKept) {
    for (const char* bad : {"a<b", "a|b"}) {
        SCOPED_TRACE(bad);
        const std::string parent = folder_ / bad;
        EXPECT_FALSE(Made(CreateDirectoryPath(folder_ / "Made\\" + bad + "\\Below")));
        EXPECT_FALSE(FolderExists(folder_ / "Made\\" + bad));
        EXPECT_EQ(CurrentFolder(), startFolder_);
    }
    EXPECT_EQ(UninstallLogLines("Directories"), Lines({"dir1=" + (folder_ / "Made")}));
}

TEST_F(DirectoriesTest, LevelBlockedByAFileIsNotCreated) {
    WriteTextFile(folder_ / "file", "x");
    EXPECT_FALSE(Made(CreateDirectoryPath(folder_ / "file\\sub")));
    EXPECT_TRUE(UninstallLogLines("Directories").empty());
    EXPECT_EQ(CurrentFolder(), startFolder_);
}

TEST_F(DirectoriesTest, FailedLogWriteLeavesTheDirectoryAndTheCurrentFolder) {
    state_.OpenUninstallLog(logFolder_ / "missing\\uninstal.ini");
    EXPECT_EQ(CreateDirectoryPath(folder_ / "Kept\\Never").Message(),
              "Unable to write to " + logFolder_ / "missing\\uninstal.ini");
    EXPECT_TRUE(FolderExists(folder_ / "Kept"));
    EXPECT_FALSE(FolderExists(folder_ / "Kept\\Never"));
    EXPECT_EQ(CurrentFolder(), startFolder_);
}

TEST_F(DirectoriesTest, PathOverAPathBufferIsRefusedBeforeAnythingIsMade) {
    const std::string path = folder_ / "New\\" + std::string(260, 'x');
    EXPECT_EQ(CreateDirectoryPath(path).Message(), PathTooLongText(path));
    EXPECT_FALSE(FolderExists(folder_ / "New"));
}
