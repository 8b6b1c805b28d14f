#include <gtest/gtest.h>

#include "support/HeldOpenFile.h"
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

TEST_F(UninstallRestartTest, WhatCannotGoNowIsScheduledOnNTAndNothingIsForced) {
    LeaveTheLog();
    HeldOpenFile held(busy_);
    ASSERT_TRUE(held.IsOpen());
    const SimulatedRestart restart;
    Run();

    EXPECT_FALSE(FileExists(done_));
    EXPECT_TRUE(FileExists(busy_));
    for (const std::string& scheduled : {busy_, folder_})
        EXPECT_TRUE(restart.IsScheduled(scheduled)) << scheduled;
    EXPECT_FALSE(restart.IsScheduled(done_));
    EXPECT_FALSE(restart.IsScheduled(shared_)) << "the user's letter keeps it: a restart would not remove it";
    EXPECT_FALSE(FileExists(TempLog()));
    EXPECT_EQ(form_.Button1.Caption(), "OK");

    held.Close();
    ASSERT_TRUE(restart.Restart());
    // The file goes before its folder, which is then empty.
    EXPECT_FALSE(FileExists(busy_));
    EXPECT_FALSE(FolderExists(folder_));
    EXPECT_EQ(ReadTextFile(letter_), "Dear Sir");
}

TEST_F(UninstallRestartTest, WithoutNTWhatCannotGoNowStays) {
    ::Setup.IsWindowsNT = 0;
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
