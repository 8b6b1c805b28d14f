#include <gtest/gtest.h>

#include <windows.h>

#include "e2e/QuietRun.h"
#include "e2e/SetupMedia.h"
#include "e2e/UiDriver.h"
#include "support/TestFiles.h"

TEST(OneSetupAtATime, ASecondSetupWhileOneWaitsAtItsWindowIsTurnedAway) {
    const SetupMedia media("[Package]\nname=First Come\n[Licence]\nlicence=none\n[Disks]\nn=1\n[ProgramFiles01]\n"
                           "file1=%%INSTALLPATH%%\\first.txt\n",
                           "", {{{"first.txt", "a file of the first package"}}});
    ASSERT_EQ(media.Error(), "");
    ProgramUnderTest first(SetupExeIn(media.First()), "", media.First());
    ASSERT_NE(ui::WaitForWindow(first.ProcessId(), "TMainForm"), nullptr);

    const SetupLogTail told;
    EXPECT_EQ(RunQuietly("/S", media.First()), 1618u);
    EXPECT_NE(told.Text().find("Another setup is running. Wait for it to finish, then try again."), std::string::npos)
        << told.Text();

    ProgramUnderTest second(SetupExeIn(media.First()), "", media.First());
    const ui::Box box = ui::WaitForMessageBox(second.ProcessId());
    EXPECT_EQ(box.text, "Another setup is running. Wait for it to finish, then try again.");
    ui::Answer(box, IDOK);
    EXPECT_TRUE(second.WaitForExit(20000));
}

// The lock is nothing another user can take first: an object of the name earlier runs used,
// held by any program, keeps no setup from running.
TEST(OneSetupAtATime, AnObjectOfAnyNameThatAnotherProgramHoldsTurnsNoSetupAway) {
    const SetupMedia media("[Package]\nname=Not Squatted\n[Licence]\nlicence=none\n[Disks]\nn=1\n[ProgramFiles01]\n"
                           "file1=%%INSTALLPATH%%\\free.txt\n",
                           "", {{{"free.txt", "a file of a package no one can hold up"}}});
    ASSERT_EQ(media.Error(), "");
    const HANDLE squatter = CreateMutexA(nullptr, TRUE, "Global\\qupsetup-run");
    ASSERT_NE(squatter, nullptr);
    // The lock file lasts, and a handle on it that only reads its attributes, which anyone who may
    // list the Windows folder can hold, is no lock. (Wine cannot show the squat this guards against
    // on Windows: a file deleted on close, kept "delete pending" by such a handle.)
    char windows[MAX_PATH] = {};
    GetWindowsDirectoryA(windows, MAX_PATH);
    const std::string leftLock = std::string(windows) + "\\qupsetup.lock";
    WriteTextFile(leftLock, "");
    const HANDLE looker = CreateFileA(leftLock.c_str(), FILE_READ_ATTRIBUTES,
                                      FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING, 0,
                                      nullptr);
    ASSERT_NE(looker, INVALID_HANDLE_VALUE);
    TempFolder target;
    EXPECT_EQ(RunQuietly("/S /D=" + (target / "Free"), media.First()), 0u);
    EXPECT_TRUE(FileExists(target / "Free\\free.txt"));
    CloseHandle(looker);
    CloseHandle(squatter);
}
