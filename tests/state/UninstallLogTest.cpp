#include <gtest/gtest.h>

#include "base/SetupError.h"
#include "state/UninstallLog.h"
#include "support/SetupStateScope.h"
#include "support/TestFiles.h"

namespace {

class UninstallLogTest : public ::testing::Test {
protected:
    UninstallLogTest() { state_.OpenUninstallLog(folder_ / "uninstal.ini"); }

    TempFolder folder_;
    SetupStateScope state_;
};

using Lines = std::vector<std::string>;

}  // namespace

TEST_F(UninstallLogTest, EachKindCountsOnItsOwnInTheOrderOfWriting) {
    LogPackageName("Example Editor");
    LogDirectory("C:\\Apps\\Editor");
    LogFile("C:\\Apps\\Editor\\editor.exe");
    LogDirectory("C:\\Apps\\Editor\\Samples");
    LogRegistryKey("HKEY_LOCAL_MACHINE\\Software\\Example");
    LogFile("C:\\Menu\\Editor.lnk");

    EXPECT_EQ(UninstallLogLines("Package"), Lines({"name=Example Editor"}));
    EXPECT_EQ(UninstallLogLines("Directories"), Lines({"dir1=C:\\Apps\\Editor", "dir2=C:\\Apps\\Editor\\Samples"}));
    EXPECT_EQ(UninstallLogLines("ProgramFiles"), Lines({"file1=C:\\Apps\\Editor\\editor.exe", "file2=C:\\Menu\\Editor.lnk"}));
    EXPECT_EQ(UninstallLogLines("RegistryKeys"), Lines({"key1=HKEY_LOCAL_MACHINE\\Software\\Example"}));
    EXPECT_EQ(::Setup.DirEntryCount, 2);
    EXPECT_EQ(::Setup.FileEntryCount, 2);
    EXPECT_EQ(::Setup.KeyEntryCount, 1);
}

TEST_F(UninstallLogTest, NumbersGoOnFromTheCountersAndSameValuesStayDistinct) {
    ::Setup.FileEntryCount = 9;
    LogFile("C:\\Apps\\same.txt");
    LogFile("C:\\Apps\\same.txt");
    EXPECT_EQ(UninstallLogLines("ProgramFiles"), Lines({"file10=C:\\Apps\\same.txt", "file11=C:\\Apps\\same.txt"}));
}

TEST_F(UninstallLogTest, FailedWriteRaisesAndTheNumberIsNotHandedOutAgain) {
    state_.OpenUninstallLog(folder_ / "missing\\uninstal.ini");
    EXPECT_THROW(LogDirectory("C:\\Apps"), SetupError);
    EXPECT_EQ(::Setup.DirEntryCount, 1);

    state_.OpenUninstallLog(folder_ / "uninstal.ini");
    ::Setup.DirEntryCount = 1;
    LogDirectory("C:\\Apps");
    EXPECT_EQ(UninstallLogLines("Directories"), Lines({"dir2=C:\\Apps"}));
}
