#include <gtest/gtest.h>

#include "support/HeldOpenFile.h"
#include "support/ScriptedUi.h"
#include "support/SimulatedRestart.h"
#include "uninstall/UninstallFixture.h"

using namespace uninstalltests;

namespace {

// An install folder holding a file in use, and a shared folder where the user keeps a file.
class UninstallRestartTest : public UninstallFixture {
protected:
    UninstallRestartTest() {
        CreateDirectoryA(folder_.c_str(), nullptr);
        CreateDirectoryA(shared_.c_str(), nullptr);
        MakeFiles({busy_, done_});
        WriteTextFile(letter_, "Dear Sir");
    }

    void LeaveTheLog() { LeaveLog(folder_ + "\\uninstal.ini", {{folder_, shared_}, {busy_, done_}, {}}); }

    const std::string folder_ = disk_ / "Example";
    const std::string shared_ = disk_ / "Shared";
    const std::string busy_ = folder_ + "\\busy.dll";
    const std::string done_ = folder_ + "\\done.exe";
    const std::string letter_ = shared_ + "\\letter.doc";
};

}  // namespace

// A file that may be moved but not deleted now (a running program's on Windows; read-only here,
// which wine refuses to delete as Windows refuses a running program's file) goes at the restart
// from the run's working folder, never by the path the log names: a link put on the way before
// the restart would send that delete elsewhere.
TEST_F(UninstallRestartTest, AFileThatCannotGoNowGoesAtTheRestartFromTheWorkingFolderNotByItsPath) {
    LeaveTheLog();
    ASSERT_TRUE(SetFileAttributesA(busy_.c_str(), FILE_ATTRIBUTE_READONLY));
    const SimulatedRestart restart;
    Run();

    EXPECT_FALSE(FileExists(busy_)) << "moved out of its place at once";
    EXPECT_FALSE(restart.IsScheduled(busy_));
    EXPECT_TRUE(restart.IsScheduled(temp_ / "restart-1.tmp"));
    EXPECT_FALSE(FolderExists(folder_)) << "nothing of the package holds it any more";
    EXPECT_TRUE(::Setup.RestartScheduled);
    EXPECT_FALSE(FileExists(TempLog()));
    EXPECT_EQ(form_.Button1.Caption(), "OK");
    SetFileAttributesA((temp_ / "restart-1.tmp").c_str(), FILE_ATTRIBUTE_NORMAL);
}

// A file a program holds so that no one may delete or move it is left and reported, never handed
// to the restart by its path; the folders still holding something go at a restart once it is
// gone, which the run does not wait for.
TEST_F(UninstallRestartTest, AFileAProgramHoldsIsLeftAndReportedNeverScheduledByItsPath) {
    LeaveTheLog();
    const ScriptedUi ui;
    HeldOpenFile held(busy_);
    ASSERT_TRUE(held.IsOpen());
    const SimulatedRestart restart;
    Run();

    EXPECT_FALSE(FileExists(done_));
    EXPECT_TRUE(FileExists(busy_));
    EXPECT_FALSE(restart.IsScheduled(busy_));
    ASSERT_EQ(ui.Boxes().size(), 1u);
    EXPECT_NE(ui.Boxes()[0].text.find("in use"), std::string::npos) << ui.Boxes()[0].text;
    EXPECT_NE(ui.Boxes()[0].text.find(busy_), std::string::npos) << ui.Boxes()[0].text;
    for (const std::string& kept : {folder_, shared_}) EXPECT_TRUE(restart.IsScheduled(kept)) << kept;
    EXPECT_FALSE(::Setup.RestartScheduled) << "nothing the run made waits for the restart";

    held.Close();
    ASSERT_TRUE(restart.Restart());
    EXPECT_TRUE(FolderExists(folder_)) << "it still holds the file";
    EXPECT_EQ(ReadTextFile(letter_), "Dear Sir");
}

TEST_F(UninstallRestartTest, WithoutNTWhatCannotGoNowStays) {
    ::Setup.IsWindowsNT = 0;
    const ScriptedUi ui;
    LeaveTheLog();
    const HeldOpenFile held(busy_);
    ASSERT_TRUE(held.IsOpen());
    const SimulatedRestart restart;
    Run();

    EXPECT_FALSE(FileExists(done_));
    EXPECT_TRUE(FileExists(busy_));
    EXPECT_TRUE(FileExists(letter_));
    for (const std::string& path : {busy_, folder_, shared_}) EXPECT_FALSE(restart.IsScheduled(path)) << path;
}
