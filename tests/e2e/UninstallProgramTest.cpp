#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "e2e/QuietRun.h"
#include "e2e/SetupMedia.h"
#include "e2e/UiDriver.h"
#include "support/KeysSetAside.h"
#include "support/TestFiles.h"

namespace {

std::string Script(const std::string& name, const std::string& scope, const std::string& folder) {
    return "[Package]\nname=" + name + "\nscope=" + scope + "\nuninstallentry=yes\n[Licence]\nlicence=none\n"
           "[InstallFolder]\ninstall=" + folder + "\n[Disks]\nn=1\n[ProgramFiles01]\nfile1=%%INSTALLPATH%%\\app.txt\n";
}

std::string LocalAppData() {
    char path[MAX_PATH] = {};
    DWORD size = sizeof path;
    RegGetValueA(HKEY_CURRENT_USER, "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders",
                 "Local AppData", RRF_RT_REG_SZ, nullptr, path, &size);
    return path;
}

}  // namespace

// The machine's uninstall program is shared by every package of the machine: it stays while one
// recorded install remains, and goes with the last, though the uninstall runs from it.
TEST(UninstallProgram, TheMachinesGoesWithTheLastInstallThatNeedsIt) {
    const KeysSetAside earlierTests({"Software\\qupsetup", "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall"});
    const SetupMedia first(Script("First Of Two", "machine", "C:\\x"), "", {{{"app.txt", "the first package"}}});
    const SetupMedia second(Script("Second Of Two", "machine", "C:\\x"), "", {{{"app.txt", "the second package"}}});
    ASSERT_EQ(first.Error(), "");
    ASSERT_EQ(second.Error(), "");
    char windows[MAX_PATH] = {};
    GetWindowsDirectoryA(windows, MAX_PATH);
    const std::string program = std::string(windows) + "\\qupsetup.exe";
    TempFolder target;
    ASSERT_EQ(RunQuietly("/S /D=" + (target / "First"), first.First()), 0u);
    ASSERT_EQ(RunQuietly("/S /D=" + (target / "Second"), second.First()), 0u);

    ASSERT_EQ(RunQuietly("/S " + (target / "First\\uninstal.ini"), windows, program), 0u);
    Sleep(1000);
    EXPECT_TRUE(FileExists(program)) << "the second package's uninstall still needs it";
    ASSERT_EQ(RunQuietly("/S " + (target / "Second\\uninstal.ini"), windows, program), 0u);
    EXPECT_TRUE(ui::WaitUntil([&] { return !FileExists(program); }, 20000)) << "gone with the last";
    EXPECT_FALSE(FolderExists(target / "Second"));
}

// The copy that removes the person's uninstall program waits for the uninstall to end, however
// long its window stays open: no minute, no process id that could be another's by then.
TEST(UninstallProgram, APersonsGoesWithTheLastPackageHoweverLongTheUninstallWindowStaysOpen) {
    const std::string package = "Long Look " + std::to_string(GetCurrentProcessId());
    const SetupMedia media(Script(package, "user", "%%USERPROGRAMS%%\\" + package), "", {{{"app.txt", "mine"}}});
    ASSERT_EQ(media.Error(), "");
    const std::string folder = LocalAppData() + "\\Programs\\" + package;
    ASSERT_EQ(RunQuietly("/S", media.First()), 0u);
    const std::string programFolder = LocalAppData() + "\\qupsetup";

    // Started from elsewhere: wine's desktop process, when this window is the first of the prefix, keeps the
    // current folder of the program that started it for as long as it runs.
    ProgramUnderTest setup(programFolder + "\\qupsetup.exe", folder + "\\uninstal.ini", media.First());
    HWND main = ui::WaitForWindow(setup.ProcessId(), "TMainForm");
    ASSERT_NE(main, nullptr);
    EXPECT_TRUE(ui::WaitUntil([&] { return ui::FindChild(main, "Button", "U&ninstall") != nullptr; }));
    ASSERT_TRUE(ui::Press(main, "U&ninstall"));
    ui::Answer(ui::WaitForMessageBox(setup.ProcessId()), IDYES);
    HWND progress = ui::WaitForWindow(setup.ProcessId(), "TUninstallForm");
    ASSERT_NE(progress, nullptr);
    EXPECT_TRUE(ui::WaitUntil([&] { return ui::FindChild(progress, "Button", "OK") != nullptr; }, 60000));
    // The person reads the last window for longer than the copy used to wait.
    Sleep(65000);
    EXPECT_TRUE(FileExists(programFolder + "\\qupsetup.exe")) << "the uninstall still runs from it";
    ui::Press(progress, "OK");
    EXPECT_TRUE(setup.WaitForExit(20000));
    EXPECT_TRUE(ui::WaitUntil([&] { return !FolderExists(programFolder); }, 20000));
    EXPECT_FALSE(FolderExists(folder));
}
