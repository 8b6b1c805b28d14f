#include <gtest/gtest.h>

#include "app/StartupFolders.h"
#include "fsutil/FileNames.h"
#include "fsutil/SystemFolders.h"
#include "state/SetupState.h"
#include "support/SetupStateScope.h"
#include "support/TestFiles.h"

namespace {

// The folder checks on values set by the test, for the folders the platform gives and the
// tests cannot move.
class StartupFoldersTest : public ::testing::Test {
protected:
    StartupFoldersTest() {
        state_.OpenUninstallLog(folder_ / "uninstal.ini");
        ::Setup.WindowsDir = folder_.Path();
        ::Setup.SystemDir = folder_.Path();
        ::Setup.ProgramFilesDir = folder_.Path();
        ::Setup.CommonFilesDir = folder_.Path();
    }

    // The message of a failed check, which ends the run as a fatal error.
    std::string FailureOfCheck() {
        const Status checked = CheckStartupFolders();
        EXPECT_TRUE(checked.Ok() || checked.IsFatal()) << checked.Message();
        return checked.Message();
    }

    TempFolder folder_;
    SetupStateScope state_;
};

}  // namespace

TEST_F(StartupFoldersTest, FoldersAreCheckedInOrderAndTheFirstFailureIsReported) {
    EXPECT_EQ(FailureOfCheck(), "");
    ::Setup.SystemDir = folder_ / "missing";
    EXPECT_EQ(FailureOfCheck(), "Problem with System directory");
    ::Setup.WindowsDir = folder_ / "missing";
    EXPECT_EQ(FailureOfCheck(), "Problem with Windows directory");
    EXPECT_EQ(::Setup.DirEntryCount, 0);
}

TEST_F(StartupFoldersTest, EmptyProgramOrCommonFolderIsAProblemNotASuccess) {
    ::Setup.CommonFilesDir = "";
    EXPECT_EQ(FailureOfCheck(), "Problem with Common directory");
    ::Setup.ProgramFilesDir = "";
    EXPECT_EQ(FailureOfCheck(), "Problem with Program directory");
}

TEST(SystemFolders, TempFolderAlwaysEndsInOneBackslash) {
    EXPECT_EQ(WithTrailingBackslash("C:\\Temp"), "C:\\Temp\\");
    EXPECT_EQ(WithTrailingBackslash("C:\\Temp\\"), "C:\\Temp\\");
    EXPECT_EQ(WithTrailingBackslash(""), "\\");
    EXPECT_EQ(TempFolderPath().back(), '\\');
}

