#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "e2e/QuietRun.h"
#include "e2e/SetupMedia.h"
#include "e2e/UiDriver.h"
#include "setupdata/ProfileFile.h"
#include "support/FullDrive.h"
#include "support/TestFiles.h"

namespace {

SetupMedia TwoFilePackage(const std::string& name, size_t firstSize, size_t secondSize) {
    return SetupMedia("[Package]\nname=" + name + "\n[Licence]\nlicence=none\n[Disks]\nn=1\n[ProgramFiles01]\n"
                      "file1=%%INSTALLPATH%%\\a.dat\nfile2=%%INSTALLPATH%%\\b.dat\n",
                      "", {{{"a.dat", std::string(firstSize, 'a')}, {"b.dat", std::string(secondSize, 'b')}}});
}

std::string LoggedFile(const std::string& log, const char* key) {
    return ProfileFile(log).ReadValue("ProgramFiles", key, "");
}

}  // namespace

// Unattended, a log that cannot be left makes the install fail, and a failed install is undone.
TEST(LogIntegrity, ALogThatNoLongerFitsTheDriveFailsTheUnattendedInstallWhichIsUndone) {
    const SetupMedia media = TwoFilePackage("Nearly Full", 3000, 3000);
    ASSERT_EQ(media.Error(), "");
    const FullDrive drive('x', 600, 2);  // room for the two files, not for the log
    if (!drive.Mounted()) GTEST_SKIP() << drive.Problem();
    const std::string folder = drive.Root() + "Nearly Full";
    const SetupLogTail told;
    EXPECT_EQ(RunQuietly("/S /D=" + folder, media.First()), 1603u);
    const std::string said = told.Text();
    EXPECT_NE(said.find("The uninstall log could not be written to " + folder + "\\uninstal.ini"), std::string::npos)
        << said;
    EXPECT_NE(said.find("The install failed; removing what it made"), std::string::npos) << said;
    EXPECT_FALSE(FolderExists(folder));
}

TEST(LogIntegrity, AFileCutShortByAFullDriveLeavesNothingBehind) {
    const SetupMedia media = TwoFilePackage("Full Drive", 2000, 9000);
    ASSERT_EQ(media.Error(), "");
    const FullDrive drive('y', 600, 1);  // room for a.dat alone
    if (!drive.Mounted()) GTEST_SKIP() << drive.Problem();
    const std::string folder = drive.Root() + "Full Drive";
    const SetupLogTail told;
    EXPECT_EQ(RunQuietly("/S /D=" + folder, media.First()), 1603u);
    const std::string said = told.Text();
    EXPECT_NE(said.find("Fatal Error: Error installing b.dat"), std::string::npos) << said;
    EXPECT_NE(said.find("The install failed; removing what it made"), std::string::npos) << said;
    EXPECT_FALSE(FolderExists(folder)) << "neither a.dat, nor a partial b.dat, nor a log";
}

TEST(LogIntegrity, ARunThatMakesNothingKeepsTheLogAndAReinstallAddsToIt) {
    const SetupMedia first("[Package]\nname=Twice\n[Licence]\nlicence=none\n[Disks]\nn=1\n[ProgramFiles01]\n"
                           "file1=%%INSTALLPATH%%\\first.txt\n",
                           "", {{{"first.txt", "the file of the first release"}}});
    ASSERT_EQ(first.Error(), "");
    TempFolder target;
    const std::string folder = target / "Twice";
    ASSERT_EQ(RunQuietly("/S /D=" + folder, first.First()), 0u);
    const std::string log = folder + "\\uninstal.ini";
    const std::string installed = ReadTextFile(log);

    // Run again and leave at the destination: nothing is made, the log stays as it is.
    ProgramUnderTest again(SetupExeIn(first.First()), "", first.First());
    HWND main = ui::WaitForWindow(again.ProcessId(), "TMainForm");
    ASSERT_NE(main, nullptr);
    ASSERT_TRUE(ui::Press(main, "&Continue"));
    HWND destination = ui::WaitForWindow(again.ProcessId(), "TInstallForm");
    ASSERT_NE(destination, nullptr);
    ui::SetText(ui::FindChild(destination, "Edit"), folder);
    ASSERT_TRUE(ui::Press(destination, "E&xit"));
    ui::Answer(ui::WaitForMessageBox(again.ProcessId()), IDYES);
    ASSERT_TRUE(again.WaitForExit(20000));
    EXPECT_EQ(ReadTextFile(log), installed);

    // A second release into the same folder: one uninstall removes what both made.
    const SetupMedia second("[Package]\nname=Twice\n[Licence]\nlicence=none\n[Disks]\nn=1\n[InstallFolder]\ninstall=C:\\x\nsub=Added\n"
                            "[ProgramFiles01]\nfile1=%%INSTALLPATH%%\\first.txt\nfile2=%%INSTALLPATH%%\\Added\\second.txt\n",
                            "", {{{"first.txt", "the file of the second release"}, {"second.txt", "a file new in the second release"}}});
    ASSERT_EQ(second.Error(), "");
    ASSERT_EQ(RunQuietly("/S /D=" + folder, second.First()), 0u);
    EXPECT_EQ(LoggedFile(log, "file1"), folder + "\\first.txt");
    EXPECT_EQ(LoggedFile(log, "file2"), folder + "\\Added\\second.txt");
    EXPECT_EQ(LoggedFile(log, "file3"), "") << "first.txt is logged once";
    EXPECT_EQ(RunQuietly("/S " + log, second.First()), 0u);
    EXPECT_FALSE(FolderExists(folder));
}

TEST(LogIntegrity, AFolderHoldingAnotherPackagesOrAnUnrecordedLogIsRefused) {
    const SetupMedia media("[Package]\nname=Newcomer\n[Licence]\nlicence=none\n[Disks]\nn=1\n[ProgramFiles01]\nfile1=%%INSTALLPATH%%\\new.txt\n",
                           "", {{{"new.txt", "a file of the newcomer package"}}});
    ASSERT_EQ(media.Error(), "");
    TempFolder folder;
    // Another package's log, and one of this package that anyone who can write the folder could
    // have planted: no install recorded it.
    const std::pair<std::string, std::string> cases[] = {
        {"Resident", "holds an uninstall log that is not the one of Newcomer"},
        {"Newcomer", "holds an uninstall log of Newcomer that no install on this computer recorded"}};
    for (const auto& [owner, told] : cases) {
        const std::string other = "[Package]\r\nname=" + owner + "\r\n[ProgramFiles]\r\nfile1=" + (folder / "old.txt") + "\r\n";
        WriteTextFile(folder / "uninstal.ini", other);
        const SetupLogTail tail;
        EXPECT_EQ(RunQuietly("/S /D=" + folder.Path(), media.First()), 1603u);
        EXPECT_NE(tail.Text().find(told), std::string::npos) << tail.Text();
        EXPECT_EQ(ReadTextFile(folder / "uninstal.ini"), other);
        EXPECT_FALSE(FileExists(folder / "new.txt"));
    }
}
