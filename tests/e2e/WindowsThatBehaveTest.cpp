#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <utility>

#include "e2e/SetupMedia.h"
#include "e2e/UiDriver.h"
#include "support/LoggedKeys.h"
#include "support/TestFiles.h"

// The run's windows as a person meets them: a progress window answers and moves all through its
// run, and ignores its button and close until the run ends; the run never leaves the task bar.

namespace {

// What the platform's task bar acts on: a shown window that is unowned or asks for a button.
bool RunHasTaskbarButton(DWORD processId) {
    for (HWND window : ui::TopWindows(processId, "")) {
        const LONG_PTR exStyle = GetWindowLongPtrA(window, GWL_EXSTYLE);
        if (!(exStyle & WS_EX_TOOLWINDOW) && (!GetWindow(window, GW_OWNER) || (exStyle & WS_EX_APPWINDOW))) return true;
    }
    return false;
}

// Presses the window's button, asks it to close and to move, and asks it to answer until its run
// ends (its caption, read without asking the window, says "Complete"); then Enter ends the program.
void ExpectAnsweringRun(ProgramUnderTest& program, HWND window) {
    const auto running = [window] {
        char caption[256] = {};
        GetWindowTextA(window, caption, sizeof caption);
        return std::string(caption).find("- Complete") == std::string::npos;
    };
    RECT start{}, now{};
    GetWindowRect(window, &start);
    HWND button = FindWindowExA(window, nullptr, "Button", nullptr);
    PostMessageA(window, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(button), BN_CLICKED), reinterpret_cast<LPARAM>(button));
    PostMessageA(window, WM_CLOSE, 0, 0);
    SetWindowPos(window, nullptr, start.left + 40, start.top, 0, 0, SWP_ASYNCWINDOWPOS | SWP_NOSIZE | SWP_NOZORDER);
    int answersWhileRunning = 0;
    bool movedWhileRunning = false;
    for (const ULONGLONG end = GetTickCount64() + 60000; running() && GetTickCount64() < end; Sleep(20)) {
        DWORD_PTR result = 0;
        const bool answered = SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 1000, &result);
        GetWindowRect(window, &now);
        if (!running()) break;
        answersWhileRunning += answered;
        EXPECT_TRUE(answered) << "the window went silent for a second";
        movedWhileRunning |= now.left == start.left + 40;
    }
    EXPECT_GE(answersWhileRunning, 1);
    EXPECT_TRUE(movedWhileRunning);
    EXPECT_TRUE(IsWindowVisible(window)) << "a press or close during the run did nothing";
    // Enter ends it: the OK button has the keyboard.
    HWND ok = ui::FindChild(window, "Button", "OK");
    ASSERT_NE(ok, nullptr);
    EXPECT_TRUE(ui::WaitUntil([&] { return ui::FocusedControl(window) == ok; }));
    ui::PressKey(ok, VK_RETURN);
    EXPECT_TRUE(program.WaitForExit(20000));
}

// Walks the run through its dialogs into `target`, checking the task bar on the way; the
// progress window.
HWND InstallThroughTheDialogs(DWORD pid, const std::string& target) {
    HWND main = ui::WaitForWindow(pid, "TMainForm");
    if (!main || !ui::Press(main, "&Continue")) return nullptr;
    HWND licence = ui::WaitForWindow(pid, "TLicenceForm");
    EXPECT_TRUE(RunHasTaskbarButton(pid)) << "the licence, with the main window hidden";
    if (!licence || !ui::Press(licence, "I &Agree")) return nullptr;
    HWND destination = ui::WaitForWindow(pid, "TInstallForm");
    EXPECT_TRUE(RunHasTaskbarButton(pid)) << "the destination";
    if (!destination) return nullptr;
    ui::SetText(ui::FindChild(destination, "Edit"), target);
    if (!ui::Press(destination, "&Install")) return nullptr;
    return ui::WaitForWindow(pid, "TProgressForm");
}

}  // namespace

TEST(WindowsThatBehave, TheInstallWindowOpensWithTheDialogsAndAnswersThroughItsPacedRun) {
    const SetupMedia media("[Package]\nname=Paced Package\n[Disks]\nn=1\n[ProgramFiles01]\n"
                           "file1=%%INSTALLPATH%%\\1.txt\nfile2=%%INSTALLPATH%%\\2.txt\nfile3=%%INSTALLPATH%%\\3.txt\n",
                           "The terms.\n",
                           {{{"1.txt", "the first file"}, {"2.txt", "a second file"}, {"3.txt", "the last file"}}});
    ASSERT_EQ(media.Error(), "");
    TempFolder target;
    ProgramUnderTest setup(SetupExeIn(media.First()), "", media.First());
    HWND progress = InstallThroughTheDialogs(setup.ProcessId(), target.Path());
    ASSERT_NE(progress, nullptr);
    EXPECT_TRUE(RunHasTaskbarButton(setup.ProcessId())) << "the progress window";
    RECT frame{};
    GetWindowRect(progress, &frame);
    EXPECT_EQ(std::make_pair(frame.left, frame.top), std::make_pair(226L, 210L)) << "where the dialogs open";
    ExpectAnsweringRun(setup, progress);
    EXPECT_EQ(ReadTextFile(target / "3.txt"), "the last file");
    ProgramUnderTest uninstall(SetupExeIn(target.Path()), "/S " + (target / "uninstal.ini"), target.Path());
    EXPECT_TRUE(uninstall.WaitForExit(60000));
}

// Found by fuzzing: a long section was read again for every value, and the window fell silent.
TEST(WindowsThatBehave, TheInstallWindowAnswersThroughALongKeyValuesSection) {
    const std::string key = "HKEY_CURRENT_USER\\Software\\SetupTests\\LongValues";
    std::string script = "[Package]\nname=Long Values\n[Disks]\nn=1\n[ProgramFiles01]\nfile1=%%INSTALLPATH%%\\1.txt\n"
                         "[RegistryKeys]\nkey1=" + key + "\n[KeyValues]\n";
    constexpr int Values = 5000;  // 20,000 lines
    for (int i = 1; i <= Values; ++i) {
        const std::string n = std::to_string(i);
        script += "value" + n + "=v" + n + "\nregkey" + n + "=key1\ndata" + n + "=" + n + "\ntype" + n + "=string\n";
    }
    const SetupMedia media(script, "The terms.\n", {{{"1.txt", "the file"}}});
    ASSERT_EQ(media.Error(), "");
    TempFolder target;
    ProgramUnderTest setup(SetupExeIn(media.First()), "", media.First());
    HWND progress = InstallThroughTheDialogs(setup.ProcessId(), target.Path());
    ASSERT_NE(progress, nullptr);
    ExpectAnsweringRun(setup, progress);
    ProgramUnderTest uninstall(SetupExeIn(target.Path()), "/S " + (target / "uninstal.ini"), target.Path());
    EXPECT_TRUE(uninstall.WaitForExit(60000));
}

TEST(WindowsThatBehave, TheUninstallWindowAnswersThroughALongRunAndKeepsTheTaskBarButton) {
    TempFolder app;
    WriteTextFile(app / "installed.txt", "an installed file");
    std::string log = "[Package]\nname=Long Log\n[ProgramFiles]\nfile1=" + (app / "installed.txt") + "\n";
    for (int i = 2; i <= 2000; ++i) log += "file" + std::to_string(i) + "=" + (app / "gone") + std::to_string(i) + "\n";
    WriteTextFile(app / "uninstal.ini", log);
    ASSERT_TRUE(RecordAsInstalled(app / "uninstal.ini"));
    ProgramUnderTest uninstall(SetupExeIn(app.Path()), app / "uninstal.ini", app.Path());
    const DWORD pid = uninstall.ProcessId();
    HWND main = ui::WaitForWindow(pid, "TMainForm");
    ASSERT_TRUE(main && ui::WaitUntil([main] { return ui::Press(main, "U&ninstall"); }));
    ui::Answer(ui::WaitForMessageBox(pid), IDYES);
    HWND progress = ui::WaitForWindow(pid, "TUninstallForm");
    ASSERT_NE(progress, nullptr);
    EXPECT_TRUE(RunHasTaskbarButton(pid)) << "the progress window, with the main window hidden";
    ExpectAnsweringRun(uninstall, progress);
    EXPECT_FALSE(FileExists(app / "installed.txt"));
}
