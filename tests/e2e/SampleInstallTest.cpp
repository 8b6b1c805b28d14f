#include <gtest/gtest.h>

#include <windows.h>

#include "e2e/SetupMedia.h"
#include "e2e/UiDriver.h"
#include "support/TestFiles.h"

// The sample package of examples/ installed and uninstalled as a person would, with the default
// answers. scripts/demo.sh runs this test to show the install and keep its screenshots.
TEST(SamplePackage, InstallsWithItsDefaultsAndUninstallsAgain) {
    const SetupMedia media(std::string(SETUP_SOURCE_UNIX_DIR) + "/examples/notes");
    ASSERT_EQ(media.Error(), "");
    TempFolder fallbackShots;
    const std::string shots = ScreenshotFolder(fallbackShots.Path()) + "\\";
    const auto shot = [&](HWND window, const char* name) {
        EXPECT_TRUE(ui::SaveScreenshot(window, shots + name + ".bmp")) << name;
    };
    const auto expect = [](const ProgramUnderTest& program, const char* className) {
        HWND window = ui::WaitForWindow(program.ProcessId(), className);
        EXPECT_NE(window, nullptr) << className << " did not come";
        return window;
    };

    ProgramUnderTest setup(SetupExeIn(media.First()), "", media.First());
    ASSERT_TRUE(setup.Started());
    HWND main = expect(setup, "TMainForm");
    ASSERT_NE(main, nullptr);
    shot(main, "01-welcome");
    ui::Press(main, "&Continue");
    HWND licence = expect(setup, "TLicenceForm");
    ASSERT_NE(licence, nullptr);
    shot(licence, "02-licence");
    ui::Press(licence, "I &Agree");
    HWND destination = expect(setup, "TInstallForm");
    ASSERT_NE(destination, nullptr);
    const std::string installFolder = ui::TextOf(ui::FindChild(destination, "Edit"));
    EXPECT_NE(installFolder.find("\\Example Notes"), std::string::npos) << installFolder;
    shot(destination, "03-destination");
    ui::Press(destination, "Change &Folder");
    HWND chooser = expect(setup, "TChangeForm");
    ASSERT_NE(chooser, nullptr);
    shot(chooser, "04-choose-folder");
    ui::Press(chooser, "&Cancel");
    ASSERT_TRUE(ui::WaitUntilGone(chooser));
    ui::Press(destination, "&Install");

    ui::Box box = ui::WaitForMessageBox(setup.ProcessId());
    ASSERT_NE(box.window, nullptr);
    EXPECT_EQ(box.caption, "Folder Does Not Exist");
    shot(box.window, "05-folder-does-not-exist");
    ui::Answer(box, IDYES);
    HWND progress = expect(setup, "TProgressForm");
    ASSERT_NE(progress, nullptr);
    box = ui::WaitForMessageBox(setup.ProcessId());
    ASSERT_NE(box.window, nullptr);
    EXPECT_EQ(box.caption, "Insert Next Disk");
    shot(box.window, "06-insert-disk-2");
    media.InsertDisk(2);
    ui::Answer(box, IDOK);
    EXPECT_TRUE(ui::WaitUntil([&] { return ui::FindChild(progress, "Button", "OK") != nullptr; }, 60000));
    shot(progress, "07-installed");
    ui::Press(progress, "OK");
    ASSERT_TRUE(setup.WaitForExit(20000));
    EXPECT_TRUE(FileExists(installFolder + "\\Samples\\second.txt"));
    ASSERT_TRUE(FileExists(installFolder + "\\uninstal.ini"));

    ProgramUnderTest uninstall(SetupExeIn(media.First()), installFolder + "\\uninstal.ini", media.First());
    HWND uninstallMain = expect(uninstall, "TMainForm");
    ASSERT_NE(uninstallMain, nullptr);
    shot(uninstallMain, "08-uninstall");
    ui::Press(uninstallMain, "U&ninstall");
    box = ui::WaitForMessageBox(uninstall.ProcessId());
    ASSERT_NE(box.window, nullptr);
    shot(box.window, "09-are-you-sure");
    ui::Answer(box, IDYES);
    HWND uninstallProgress = expect(uninstall, "TUninstallForm");
    ASSERT_NE(uninstallProgress, nullptr);
    EXPECT_TRUE(ui::WaitUntil([&] { return ui::FindChild(uninstallProgress, "Button", "OK") != nullptr; }, 60000));
    shot(uninstallProgress, "10-uninstalled");
    ui::Press(uninstallProgress, "OK");
    ASSERT_TRUE(uninstall.WaitForExit(20000));
    EXPECT_FALSE(FolderExists(installFolder));
    HKEY key = nullptr;
    for (HKEY root : {HKEY_LOCAL_MACHINE, HKEY_CURRENT_USER})
        EXPECT_NE(RegOpenKeyExA(root, "Software\\Example Notes", 0, KEY_READ, &key), ERROR_SUCCESS);
    char windows[MAX_PATH] = {};
    GetWindowsDirectoryA(windows, MAX_PATH);
    DeleteFileA((std::string(windows) + "\\qupsetup.exe").c_str());
}
