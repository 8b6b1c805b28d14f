#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "e2e/SetupMedia.h"
#include "e2e/UiDriver.h"
#include "support/TestFiles.h"

// The run's windows as a person meets them: a progress window answers all through its run,
// moves, and ignores its button and close until the run ends; the run never leaves the task bar.

namespace {

// What the platform's task bar acts on: a shown window that is unowned or asks for a button.
bool RunHasTaskbarButton(DWORD processId) {
    for (HWND window : ui::TopWindows(processId, "")) {
        const LONG_PTR exStyle = GetWindowLongPtrA(window, GWL_EXSTYLE);
        if (!(exStyle & WS_EX_TOOLWINDOW) && (!GetWindow(window, GW_OWNER) || (exStyle & WS_EX_APPWINDOW))) return true;
    }
    return false;
}

// Read without asking the window, so a busy one is read too.
bool RunGoesOn(HWND window) {
    char caption[256] = {};
    GetWindowTextA(window, caption, sizeof caption);
    return std::string(caption).find("- Complete") == std::string::npos;
}

struct WatchedRun {
    int answersWhileRunning = 0;
    bool movedWhileRunning = false;
};

// Presses the window's button, asks it to close and to move, then asks it to answer until its
// run ends.
WatchedRun WatchRun(HWND window) {
    WatchedRun watched;
    RECT start{};
    GetWindowRect(window, &start);
    HWND button = FindWindowExA(window, nullptr, "Button", nullptr);
    PostMessageA(window, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(button), BN_CLICKED), reinterpret_cast<LPARAM>(button));
    PostMessageA(window, WM_CLOSE, 0, 0);
    SetWindowPos(window, nullptr, start.left + 40, start.top + 30, 0, 0,
                 SWP_ASYNCWINDOWPOS | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    const ULONGLONG end = GetTickCount64() + 60000;
    while (RunGoesOn(window) && GetTickCount64() < end) {
        DWORD_PTR result = 0;
        const bool answered = SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 1000, &result);
        RECT now{};
        GetWindowRect(window, &now);
        if (!RunGoesOn(window)) break;
        watched.answersWhileRunning += answered;
        watched.movedWhileRunning |= now.left == start.left + 40;
        Sleep(20);
    }
    return watched;
}

// After a run that was pressed and asked to close: the window is still there, and "OK" closes it.
void ExpectStillUpThenClosedByOk(ProgramUnderTest& program, HWND window) {
    EXPECT_TRUE(IsWindowVisible(window)) << "a press or close during the run did nothing";
    EXPECT_TRUE(ui::Press(window, "OK"));
    EXPECT_TRUE(program.WaitForExit(20000));
}

}  // namespace

TEST(WindowsThatBehave, TheInstallWindowOpensWithTheDialogsAndAnswersThroughItsPacedRun) {
    const SetupMedia media("[Package]\nname=Paced Package\n[Disks]\nn=1\n[ProgramFiles01]\n"
                           "file1=%%INSTALLPATH%%\\one.txt\nfile2=%%INSTALLPATH%%\\two.txt\nfile3=%%INSTALLPATH%%\\three.txt\n",
                           "The terms of the paced package.\n",
                           {{{"one.txt", "the first file of the package"}, {"two.txt", "the second file of the package"},
                             {"three.txt", "the third file of the package"}}});
    ASSERT_EQ(media.Error(), "");
    TempFolder target;
    ProgramUnderTest setup(SetupExePath(), "", media.First());
    const DWORD pid = setup.ProcessId();
    HWND main = ui::WaitForWindow(pid, "TMainForm");
    ASSERT_TRUE(main && ui::Press(main, "&Continue"));
    HWND licence = ui::WaitForWindow(pid, "TLicenceForm");
    ASSERT_NE(licence, nullptr);
    EXPECT_TRUE(RunHasTaskbarButton(pid)) << "the licence, with the main window hidden";
    ASSERT_TRUE(ui::Press(licence, "I &Agree"));
    HWND destination = ui::WaitForWindow(pid, "TInstallForm");
    ASSERT_NE(destination, nullptr);
    EXPECT_TRUE(RunHasTaskbarButton(pid)) << "the destination";
    ui::SetText(ui::FindChild(destination, "Edit"), target.Path());
    ASSERT_TRUE(ui::Press(destination, "&Install"));

    HWND progress = ui::WaitForWindow(pid, "TProgressForm");
    ASSERT_NE(progress, nullptr);
    EXPECT_TRUE(RunHasTaskbarButton(pid)) << "the progress window";
    RECT frame{};
    GetWindowRect(progress, &frame);
    EXPECT_EQ(frame.left, 226);
    EXPECT_EQ(frame.top, 210);
    const WatchedRun run = WatchRun(progress);
    EXPECT_GE(run.answersWhileRunning, 1);
    EXPECT_TRUE(run.movedWhileRunning);
    ExpectStillUpThenClosedByOk(setup, progress);
    EXPECT_EQ(ReadTextFile(target / "three.txt"), "the third file of the package");

    ProgramUnderTest uninstall(SetupExePath(), "/S " + (target / "uninstal.ini"), target.Path());
    EXPECT_TRUE(uninstall.WaitForExit(60000));
}

TEST(WindowsThatBehave, TheUninstallWindowAnswersThroughALongRunAndKeepsTheTaskBarButton) {
    TempFolder app;
    WriteTextFile(app / "installed.txt", "an installed file");
    std::string log = "[Package]\nname=Long Log\n[ProgramFiles]\n";
    for (int i = 1; i < 2000; ++i) log += "file" + std::to_string(i) + "=" + (app / "gone") + std::to_string(i) + ".txt\n";
    WriteTextFile(app / "uninstal.ini", log + "file2000=" + (app / "installed.txt") + "\n");
    ProgramUnderTest uninstall(SetupExePath(), app / "uninstal.ini", app.Path());
    const DWORD pid = uninstall.ProcessId();
    HWND main = ui::WaitForWindow(pid, "TMainForm");
    ASSERT_TRUE(main && ui::Press(main, "&Uninstall"));
    ui::Answer(ui::WaitForMessageBox(pid), IDYES);

    HWND progress = ui::WaitForWindow(pid, "TUninstallForm");
    ASSERT_NE(progress, nullptr);
    EXPECT_TRUE(RunHasTaskbarButton(pid)) << "the progress window, with the main window hidden";
    const WatchedRun run = WatchRun(progress);
    EXPECT_GE(run.answersWhileRunning, 1);
    EXPECT_TRUE(run.movedWhileRunning);
    EXPECT_FALSE(FileExists(app / "installed.txt"));
    ExpectStillUpThenClosedByOk(uninstall, progress);
}
