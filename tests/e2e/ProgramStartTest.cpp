#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "e2e/QuietRun.h"
#include "e2e/SetupMedia.h"
#include "e2e/UiDriver.h"
#include "support/TestFiles.h"

// The program `run=` names, offered at the end of an install that runs with the person's own
// rights (a build of setup.exe that takes itself for one, a package for one user): started from
// the install folder when the box stays ticked, not when it is unticked, never by an unattended run.

namespace {

struct StartCase {
    const char* name;
    bool untick;
    bool started;
};

std::string StartScript(const std::string& package) {
    return "[Package]\nname=" + package + "\nscope=user\nrun=[ProgramFiles01]file1\nrunargs=/first\n[Licence]\nlicence=none\n"
           "[InstallFolder]\ninstall=%%USERPROGRAMS%%\\" + package + "\n[Disks]\nn=1\n[ProgramFiles01]\n"
           "file1=%%INSTALLPATH%%\\marker.exe\n";
}

}  // namespace

TEST(ProgramStart, TheTickedBoxStartsTheProgramInTheInstallFolderAndTheUntickedOneDoesNot) {
    const StartCase cases[] = {{"ticked", false, true}, {"unticked", true, false}};
    for (const StartCase& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string package = "Start Test " + std::to_string(GetCurrentProcessId()) + " " + c.name;
        const SetupMedia media(StartScript(package), "", {{{"marker.exe", ReadTextFile(WinePath(STARTED_MARKER_UNIX_PATH))}}});
        ASSERT_EQ(media.Error(), "");
        MakeUnelevated(media);
        ProgramUnderTest setup(media.First() + "\\setup.exe", "", media.First());
        const DWORD pid = setup.ProcessId();
        ASSERT_TRUE(ui::Press(ui::WaitForWindow(pid, "TMainForm"), "&Continue"));
        HWND destination = ui::WaitForWindow(pid, "TInstallForm");
        ASSERT_NE(destination, nullptr);
        const std::string folder = ui::TextOf(ui::FindChild(destination, "Edit"));
        ASSERT_TRUE(ui::Press(destination, "&Install"));
        ui::Answer(ui::WaitForMessageBox(pid), IDYES);
        HWND progress = ui::WaitForWindow(pid, "TProgressForm");
        const std::string caption = "Start " + package + " now";
        EXPECT_TRUE(ui::WaitUntil([&] { return ui::FindChild(progress, "Button", caption) != nullptr; }, 60000));
        HWND box = ui::FindChild(progress, "Button", caption);
        EXPECT_EQ(SendMessageA(box, BM_GETCHECK, 0, 0), BST_CHECKED) << "offered ticked";
        if (c.untick) {
            // A click, as the person's: the box itself toggles.
            SendMessageA(box, BM_CLICK, 0, 0);
            EXPECT_EQ(SendMessageA(box, BM_GETCHECK, 0, 0), BST_UNCHECKED);
        }
        ASSERT_TRUE(ui::Press(progress, "OK"));
        EXPECT_TRUE(setup.WaitForExit(20000));
        const std::string mark = folder + "\\started.txt";
        EXPECT_EQ(ui::WaitUntil([&] { return FileExists(mark); }, c.started ? 20000 : 3000), c.started);
        if (c.started) {
            const std::string started = ReadTextFile(mark);
            std::wstring wide(folder.size(), L'\0');
            wide.resize(MultiByteToWideChar(CP_UTF8, 0, folder.data(), static_cast<int>(folder.size()), wide.data(),
                                            static_cast<int>(wide.size())));
            EXPECT_EQ(std::wstring(reinterpret_cast<const wchar_t*>(started.data()), started.size() / sizeof(wchar_t)), wide)
                << "started in the install folder";
            DeleteFileA(mark.c_str());
        }
        EXPECT_EQ(RunQuietly("/S " + folder + "\\uninstal.ini", media.First()), 0u);
    }
}

TEST(ProgramStart, AnUnattendedInstallStartsNothing) {
    const std::string package = "Start Test " + std::to_string(GetCurrentProcessId()) + " unattended";
    const SetupMedia media(StartScript(package), "", {{{"marker.exe", ReadTextFile(WinePath(STARTED_MARKER_UNIX_PATH))}}});
    ASSERT_EQ(media.Error(), "");
    MakeUnelevated(media);
    TempFolder target;
    const std::string folder = target / "unattended";
    ASSERT_EQ(RunQuietly("/S /D=" + folder, media.First()), 0u);
    EXPECT_FALSE(ui::WaitUntil([&] { return FileExists(folder + "\\started.txt"); }, 3000));
    EXPECT_EQ(RunQuietly("/S " + folder + "\\uninstal.ini", media.First()), 0u);
}
