#include <gtest/gtest.h>

#include "app/InstalledLog.h"
#include "app/LogRecord.h"
#include "base/ContentDigest.h"
#include "state/UninstallLog.h"
#include "support/LoggedKeys.h"
#include "support/ScriptedUi.h"
#include "support/SetupStateScope.h"
#include "support/TestFiles.h"

namespace {

// The end of an install run whose log the test writes, into an install folder of its own.
class InstalledLogTest : public ::testing::Test {
protected:
    InstalledLogTest() {
        state_.OpenUninstallLog(work_ / "uninstal.ini");
        ::Setup.TempDir = work_.Path() + "\\";
        ::Setup.InstallFolder = app_.Path();
        ::Setup.PackageName = "Example Editor";
        LogPackageName("Example Editor");
    }
    ~InstalledLogTest() override { RemoveLoggedKeys(Installed()); }

    std::string Installed() const { return app_ / "uninstal.ini"; }
    std::string Work() const { return work_ / "uninstal.ini"; }

    TempFolder work_;
    TempFolder app_;
    SetupStateScope state_;
    ScriptedUi ui_;
};

}  // namespace

TEST_F(InstalledLogTest, ARunThatMadeNothingLeavesAnEarlierLogAsItIs) {
    const std::string earlier = "[Package]\r\nname=Example Editor\r\n[ProgramFiles]\r\nfile1=C:\\Old\\a.txt\r\n";
    WriteTextFile(Installed(), earlier);
    EXPECT_TRUE(LeaveLogInInstallFolder());
    EXPECT_EQ(ReadTextFile(Installed()), earlier);
    EXPECT_TRUE(ui_.Boxes().empty());
}

TEST_F(InstalledLogTest, TheSamePackagesLogGetsTheNewEntriesNumberedOnAndARecordOfItsDigest) {
    WriteTextFile(Installed(), "[Package]\r\nname=Example Editor\r\n[Directories]\r\ndir1=C:\\Old\r\n"
                               "[ProgramFiles]\r\nfile1=C:\\Old\\a.txt\r\nfile2=C:\\Old\\b.txt\r\n");
    LogDirectory("c:\\old");
    LogDirectory("C:\\New");
    LogFile("C:\\Old\\b.txt");
    LogFile("C:\\New\\c.txt");
    EXPECT_TRUE(LeaveLogInInstallFolder());
    EXPECT_TRUE(ui_.Boxes().empty());
    const ProfileFile installed(Installed());
    EntryList files, folders, keys;
    installed.ReadEntries("ProgramFiles", files);
    installed.ReadEntries("Directories", folders);
    installed.ReadEntries("RegistryKeys", keys);
    ASSERT_EQ(files.Count(), 3u);
    EXPECT_EQ(files.Line(2), "file3=C:\\New\\c.txt");
    ASSERT_EQ(folders.Count(), 2u);
    EXPECT_EQ(folders.Line(1), "dir2=C:\\New");
    // The record's key is logged, so the uninstall removes it; its digest is the placed log's.
    ASSERT_GE(keys.Count(), 1u);
    EXPECT_EQ(keys.Value(0).rfind("HKEY_LOCAL_MACHINE\\Software\\qupsetup\\", 0), 0u) << keys.Value(0);
    const std::string digest = RecordedLogDigest(Installed());
    EXPECT_EQ(digest.size(), 64u);
    EXPECT_EQ(digest, ContentDigest(ReadTextFile(Installed())));
    EXPECT_EQ(RecordedLogDigest(app_.Path() + "\\.\\UNINSTAL.INI"), digest) << "one record however the path is spelt";
    EXPECT_FALSE(FileExists(app_ / "uninstal.new"));
}

TEST_F(InstalledLogTest, AFileThatIsNotThePackagesLogIsNeverReplacedAndTheLogIsKept) {
    LogFile("C:\\New\\c.txt");
    for (const std::string earlier : {"[Package]\r\nname=Another Package\r\n", "notes of the user\r\n"}) {
        WriteTextFile(Installed(), earlier);
        EXPECT_FALSE(LeaveLogInInstallFolder());
        EXPECT_EQ(ReadTextFile(Installed()), earlier);
        ASSERT_FALSE(ui_.Boxes().empty());
        EXPECT_NE(ui_.Boxes().back().text.find("kept as " + Work()), std::string::npos) << ui_.Boxes().back().text;
        EXPECT_EQ(ProfileFile(Work()).ReadValue("ProgramFiles", "file1", ""), "C:\\New\\c.txt");
    }
    DeleteFileA(Installed().c_str());
}

TEST_F(InstalledLogTest, ALogThatCannotReachTheInstallFolderIsKeptAndNamed) {
    ::Setup.InstallFolder = app_ / "missing";
    LogFile("C:\\New\\c.txt");
    EXPECT_FALSE(LeaveLogInInstallFolder());
    ASSERT_EQ(ui_.Boxes().size(), 1u);
    EXPECT_EQ(ui_.Boxes()[0].text, "The uninstall log could not be written to " + (app_ / "missing\\uninstal.ini") +
                                       ".\nThe complete uninstall log was kept as " + Work() + ".");
    EXPECT_EQ(ProfileFile(Work()).ReadValue("ProgramFiles", "file1", ""), "C:\\New\\c.txt");
    RemoveLoggedKeys(Work());
}
