#include <gtest/gtest.h>

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
    EXPECT_TRUE(LogPackageName("Example Editor").Ok());
    EXPECT_TRUE(LogDirectory("C:\\Apps\\Editor").Ok());
    EXPECT_TRUE(LogFile("C:\\Apps\\Editor\\editor.exe").Ok());
    EXPECT_TRUE(LogDirectory("C:\\Apps\\Editor\\Samples").Ok());
    EXPECT_TRUE(LogRegistryKey("HKEY_LOCAL_MACHINE\\Software\\Example").Ok());
    EXPECT_TRUE(LogFile("C:\\Menu\\Editor.lnk").Ok());

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
    EXPECT_TRUE(LogFile("C:\\Apps\\same.txt").Ok());
    EXPECT_TRUE(LogFile("C:\\Apps\\same.txt").Ok());
    EXPECT_EQ(UninstallLogLines("ProgramFiles"), Lines({"file10=C:\\Apps\\same.txt", "file11=C:\\Apps\\same.txt"}));
}

TEST_F(UninstallLogTest, FailedWriteFailsAndTheNumberIsNotHandedOutAgain) {
    state_.OpenUninstallLog(folder_ / "missing\\uninstal.ini");
    const Status logged = LogDirectory("C:\\Apps");
    EXPECT_EQ(logged.Message(), "Unable to write to " + folder_ / "missing\\uninstal.ini");
    EXPECT_EQ(::Setup.DirEntryCount, 1);

    state_.OpenUninstallLog(folder_ / "uninstal.ini");
    ::Setup.DirEntryCount = 1;
    EXPECT_TRUE(LogDirectory("C:\\Apps").Ok());
    EXPECT_EQ(UninstallLogLines("Directories"), Lines({"dir2=C:\\Apps"}));
}
