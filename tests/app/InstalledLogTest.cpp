#include <gtest/gtest.h>
#include <windows.h>

#include "app/InstalledLog.h"
#include "fsutil/FinalPath.h"
#include "fsutil/LogRecord.h"
#include "setupdata/UnicodeProfileCopy.h"
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
        EXPECT_TRUE(LogPackageName("Example Editor").Ok());
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

TEST_F(InstalledLogTest, TheSamePackagesRecordedLogGetsTheNewEntriesNumberedOnAndItsRecordFollows) {
    EXPECT_TRUE(LogDirectory("C:\\Old").Ok());
    EXPECT_TRUE(LogFile("C:\\Old\\a.txt").Ok());
    EXPECT_TRUE(LogFile("C:\\Old\\b.txt").Ok());
    ASSERT_TRUE(LeaveLogInInstallFolder());
    // A second run into the same folder.
    state_.OpenUninstallLog(work_ / "second.ini");
    EXPECT_TRUE(LogPackageName("Example Editor").Ok());
    EXPECT_TRUE(LogDirectory("c:\\old").Ok());
    EXPECT_TRUE(LogDirectory("C:\\New").Ok());
    EXPECT_TRUE(LogFile("C:\\Old\\b.txt").Ok());
    EXPECT_TRUE(LogFile("C:\\New\\c.txt").Ok());
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
    // The record's key is logged once, so the uninstall removes it; it holds the placed log's digest.
    ASSERT_GE(keys.Count(), 1u);
    for (size_t i = 1; i < keys.Count(); ++i) EXPECT_NE(keys.Value(i), keys.Value(0)) << "the record's key, logged once";
    EXPECT_EQ(keys.Value(0).rfind("HKEY_LOCAL_MACHINE\\Software\\qupsetup\\", 0), 0u) << keys.Value(0);
    EXPECT_EQ(CheckAgainstRecord(ReadInstalledLog(Installed())), LogTrust::Matches);
    EXPECT_EQ(CheckAgainstRecord(ReadInstalledLog(app_.Path() + "\\.\\UNINSTAL.INI")), LogTrust::Matches)
        << "one record however the path is spelt";
    EXPECT_FALSE(FileExists(app_ / "uninstal.new"));
}

TEST_F(InstalledLogTest, ALogOfTenThousandEntriesIsMergedWhole) {
    std::string earlier = "[Package]\r\nname=Example Editor\r\n[ProgramFiles]\r\n";
    for (int i = 1; i <= 10000; ++i)
        earlier += "file" + std::to_string(i) + "=C:\\Old\\f" + std::to_string(i) + ".txt\r\n";
    ASSERT_TRUE(WriteUnicodeProfile(Installed(), earlier));
    // Recorded as an install would have left it.
    PendingLogRecord(FinalPath(app_.Path()) + "\\uninstal.ini").Write(ReadTextFile(Installed()));
    EXPECT_TRUE(LogFile("C:\\OLD\\f5000.txt").Ok());
    EXPECT_TRUE(LogFile("C:\\New\\c.txt").Ok());
    EXPECT_TRUE(LeaveLogInInstallFolder());
    EntryList files;
    ProfileFile(Installed()).ReadEntries("ProgramFiles", files);
    ASSERT_EQ(files.Count(), 10001u);
    EXPECT_EQ(files.Line(4999), "file5000=C:\\Old\\f5000.txt");
    EXPECT_EQ(files.Line(10000), "file10001=C:\\New\\c.txt");
    EXPECT_EQ(CheckAgainstRecord(ReadInstalledLog(Installed())), LogTrust::Matches);
}

TEST_F(InstalledLogTest, AnUnrecordedOrChangedLogOfThePackageIsNotAddedTo) {
    const std::string unrecorded = "[Package]\r\nname=Example Editor\r\n[ProgramFiles]\r\nfile1=C:\\Windows\\win.ini\r\n";
    WriteTextFile(Installed(), unrecorded);
    EXPECT_TRUE(LogFile("C:\\New\\c.txt").Ok());
    EXPECT_FALSE(LeaveLogInInstallFolder());
    EXPECT_EQ(ReadTextFile(Installed()), unrecorded);
    ASSERT_EQ(ui_.Boxes().size(), 1u);
    EXPECT_NE(ui_.Boxes()[0].text.find("no install on this computer recorded"), std::string::npos) << ui_.Boxes()[0].text;

    DeleteFileA(Installed().c_str());
    ASSERT_TRUE(LeaveLogInInstallFolder());
    WritePrivateProfileStringA("ProgramFiles", "file9", "C:\\Windows\\win.ini", Installed().c_str());
    WritePrivateProfileStringA(nullptr, nullptr, nullptr, Installed().c_str());
    const std::string changed = ReadTextFile(Installed());
    EXPECT_FALSE(LeaveLogInInstallFolder());
    EXPECT_EQ(ReadTextFile(Installed()), changed);
    EXPECT_NE(ui_.Boxes().back().text.find("a log of Example Editor that was changed after its install"), std::string::npos)
        << ui_.Boxes().back().text;
}

TEST_F(InstalledLogTest, AFileThatIsNotThePackagesLogIsNeverReplacedAndTheLogIsKept) {
    EXPECT_TRUE(LogFile("C:\\New\\c.txt").Ok());
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
    EXPECT_TRUE(LogFile("C:\\New\\c.txt").Ok());
    EXPECT_FALSE(LeaveLogInInstallFolder());
    ASSERT_EQ(ui_.Boxes().size(), 1u);
    EXPECT_EQ(ui_.Boxes()[0].text, "The uninstall log could not be written to " + (app_ / "missing\\uninstal.ini") +
                                       ".\nThe complete uninstall log was kept as " + Work() + ".");
    EXPECT_EQ(ProfileFile(Work()).ReadValue("ProgramFiles", "file1", ""), "C:\\New\\c.txt");
    EXPECT_EQ(CheckAgainstRecord(ReadInstalledLog(Work())), LogTrust::Matches)
        << "recorded where it was kept, so that setup started with its path uninstalls it";
    RemoveLoggedKeys(Work());
}

// A complete install over the package's earlier one: what only the earlier one had goes, as the
// uninstall removes it; what both have, what the person made and the earlier folders that still
// hold this install's files stay; the log then names what is installed now, recorded.
TEST_F(InstalledLogTest, AnUpgradeRemovesWhatOnlyTheEarlierInstallHad) {
    const std::string old = app_ / "old";
    ASSERT_TRUE(CreateDirectoryA(old.c_str(), nullptr));
    for (const std::string& file : {app_ / "both.txt", app_ / "gone.txt", old + "\\gone.txt"}) {
        WriteTextFile(file, "version 1");
        EXPECT_TRUE(LogFile(file).Ok());
    }
    EXPECT_TRUE(LogDirectory(old).Ok());
    ASSERT_TRUE(LeaveLogInInstallFolder());

    state_.OpenUninstallLog(work_ / "second.ini");
    EXPECT_TRUE(LogPackageName("Example Editor").Ok());
    NoteFoundInPlace(app_.Path());
    for (const std::string& file : {app_ / "both.txt", app_ / "new.txt"}) {
        WriteTextFile(file, "version 2");
        EXPECT_TRUE(LogFile(file).Ok());
    }
    WriteTextFile(app_ / "mine.txt", "the person's own");
    ::Setup.InstallCompleted = true;
    EXPECT_TRUE(LeaveLogInInstallFolder());

    EXPECT_FALSE(FileExists(app_ / "gone.txt"));
    EXPECT_FALSE(FolderExists(old));
    EXPECT_EQ(ReadTextFile(app_ / "both.txt"), "version 2");
    EXPECT_TRUE(FileExists(app_ / "new.txt"));
    EXPECT_EQ(ReadTextFile(app_ / "mine.txt"), "the person's own");
    const ProfileFile installed(Installed());
    EntryList files, folders;
    installed.ReadEntries("ProgramFiles", files);
    installed.ReadEntries("Directories", folders);
    ASSERT_EQ(files.Count(), 2u);
    EXPECT_EQ(files.Line(0), "file1=" + (app_ / "both.txt"));
    EXPECT_EQ(files.Line(1), "file2=" + (app_ / "new.txt"));
    EXPECT_EQ(folders.Count(), 0u);
    EXPECT_EQ(CheckAgainstRecord(ReadInstalledLog(Installed())), LogTrust::Matches);
    EXPECT_TRUE(ui_.Boxes().empty());
}

// Until the install is complete nothing of the earlier one goes: a failed windowed install only adds.
TEST_F(InstalledLogTest, AnIncompleteInstallOverAnEarlierOneRemovesNothingOfIt) {
    WriteTextFile(app_ / "gone.txt", "version 1");
    EXPECT_TRUE(LogFile(app_ / "gone.txt").Ok());
    ASSERT_TRUE(LeaveLogInInstallFolder());
    state_.OpenUninstallLog(work_ / "second.ini");
    EXPECT_TRUE(LogPackageName("Example Editor").Ok());
    EXPECT_TRUE(LogFile(app_ / "new.txt").Ok());
    ::Setup.InstallCompleted = false;
    EXPECT_TRUE(LeaveLogInInstallFolder());
    EXPECT_TRUE(FileExists(app_ / "gone.txt"));
    EntryList files;
    ProfileFile(Installed()).ReadEntries("ProgramFiles", files);
    EXPECT_EQ(files.Count(), 2u);
}
