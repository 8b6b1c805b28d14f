#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <cstring>
#include <memory>
#include <string>

#include "e2e/SetupMedia.h"
#include "e2e/UiDriver.h"
#include "support/LoggedKeys.h"
#include "support/TestFiles.h"
#include "toolkit/DirectoryListBox.h"

namespace {

// Keys, folders and names of this test run alone, so nothing of another run is touched.
std::string RunTag() { return "SetupE2E" + std::to_string(GetCurrentProcessId()); }

std::string ReadMachineValue(const std::string& key, const std::string& name) {
    char value[MAX_PATH] = {};
    DWORD size = sizeof value;
    if (RegGetValueA(HKEY_LOCAL_MACHINE, key.c_str(), name.c_str(), RRF_RT_REG_SZ, nullptr, value, &size) !=
        ERROR_SUCCESS)
        return {};
    return value;
}

DWORD ReadMachineNumber(const std::string& key, const std::string& name) {
    DWORD value = 0, size = sizeof value;
    RegGetValueA(HKEY_LOCAL_MACHINE, key.c_str(), name.c_str(), RRF_RT_REG_DWORD, nullptr, &value, &size);
    return value;
}

bool MachineKeyExists(const std::string& key) {
    HKEY opened = nullptr;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, key.c_str(), 0, KEY_READ, &opened) != ERROR_SUCCESS) return false;
    RegCloseKey(opened);
    return true;
}

std::string ProgramFilesFolder() {
    return ReadMachineValue("Software\\Microsoft\\Windows\\CurrentVersion", "ProgramFilesDir");
}

std::string WindowsFolder() {
    char folder[MAX_PATH] = {};
    GetWindowsDirectoryA(folder, MAX_PATH);
    return folder;
}

// The values of a section of a profile file, in file order.
std::vector<std::string> SectionValues(const std::string& file, const std::string& section) {
    std::vector<char> buffer(32768);
    const DWORD length = GetPrivateProfileSectionA(section.c_str(), buffer.data(), static_cast<DWORD>(buffer.size()),
                                                   file.c_str());
    std::vector<std::string> values;
    for (const char* line = buffer.data(); line < buffer.data() + length && *line; line += strlen(line) + 1) {
        const char* equals = strchr(line, '=');
        if (equals) values.emplace_back(equals + 1);
    }
    return values;
}

// The chooser's folder label, the last label of the window.
std::string FolderLabel(HWND chooser) {
    const auto labels = ui::LabelTexts(chooser);
    return labels.empty() ? std::string() : labels.back();
}

const std::string LicenceText = "Terms of the test package.\nSecond line of the terms.\n";
const std::string ReadmeContent = "The readme of the test package, longer than sixteen bytes.\n";
const std::string ToolContent = std::string(3000, 'x') + "a tool that compresses well\n";
const std::string ExtraContent = "A file that came from the second disk of the package.\n";

class WholeProgramTest : public ::testing::Test {
protected:
    WholeProgramTest() : tag_(RunTag()), registryKey_("Software\\" + tag_) {}
    ~WholeProgramTest() override {
        RegDeleteTreeA(HKEY_LOCAL_MACHINE, registryKey_.c_str());
        for (const std::string& folder : madeFolders_) RemoveTree(folder);
    }

    std::string Script(const std::string& licenceLine) const {
        return "[Package]\nname=Setup Test Package\n\n[Licence]\n" + licenceLine +
               "\n\n[InstallFolder]\ninstall=%%PROGPATH%%\\" + tag_ +
               "\nsub1=Data\n\n[Disks]\nn=2\n\n[ProgramFiles01]\nfile1=%%INSTALLPATH%%\\readme.txt\n"
               "file2=%%INSTALLPATH%%\\Data\\tool.dat\n\n[ProgramFiles02]\nfile1=%%INSTALLPATH%%\\extra.txt\n\n"
               "[RegistryKeys]\nkey1=HKEY_LOCAL_MACHINE\\" + registryKey_ +
               "\n\n[KeyValues]\nvalue1=InstallDir\nregkey1=key1\ndata1=%%INSTALLPATH%%\ntype1=string\n"
               "value2=Build\nregkey2=key1\ndata2=0x102\ntype2=integer\n\n[Group]\ngroup=" + tag_ +
               "\n\n[Icons]\ntarget1=[ProgramFiles01]file1\ntitle1=Read Me\n\n[StartButton]\n"
               "target1=[ProgramFiles01]file1\ntitle1=" + tag_ + " Read Me\n\n[Desktop]\n"
               "target1=[ProgramFiles01]file1\ntitle1=" + tag_ + "\n";
    }

    std::unique_ptr<SetupMedia> MakeMedia(const std::string& licenceLine) {
        auto media = std::make_unique<SetupMedia>(
            Script(licenceLine), LicenceText,
            std::vector<SetupMedia::Files>{{{"readme.txt", ReadmeContent}, {"tool.dat", ToolContent}},
                                           {{"extra.txt", ExtraContent}}});
        EXPECT_EQ(media->Error(), "");
        return media;
    }

    // Keeps a picture of the window, which lies wholly within the screen less the task bar.
    void Shot(HWND window, const std::string& name) {
        EXPECT_TRUE(ui::SaveScreenshot(window, ScreenshotFolder(shots_.Path()) + "\\" + name + ".bmp")) << name;
        RECT work{}, frame{};
        SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
        GetWindowRect(window, &frame);
        EXPECT_TRUE(frame.left >= work.left && frame.top >= work.top && frame.right <= work.right &&
                    frame.bottom <= work.bottom)
            << name << " lies at " << frame.left << "," << frame.top << ".." << frame.right << "," << frame.bottom;
    }

    // Waits for the window and checks it came.
    HWND Expect(const ProgramUnderTest& program, const std::string& className, const std::string& caption = "") {
        HWND window = ui::WaitForWindow(program.ProcessId(), className, caption);
        EXPECT_NE(window, nullptr) << className << " did not come";
        return window;
    }

    std::string tag_;
    std::string registryKey_;
    std::vector<std::string> madeFolders_;
    TempFolder shots_;
};

}  // namespace

TEST_F(WholeProgramTest, InstallsThroughEveryWindowThenUninstallsFromTheLog) {
    const auto media = MakeMedia("licence=licence.txt");
    ASSERT_TRUE(media->Error().empty());
    const std::string programs = ProgramFilesFolder();
    ASSERT_FALSE(programs.empty());
    const std::string chosen = programs + "\\" + tag_;
    const std::string installFolder = chosen + "\\App";
    madeFolders_ = {chosen};

    ProgramUnderTest setup(SetupExeIn(media->First()), "", media->First());
    ASSERT_TRUE(setup.Started());
    const DWORD pid = setup.ProcessId();

    HWND main = Expect(setup, "TMainForm");
    ASSERT_NE(main, nullptr);
    EXPECT_EQ(ui::TextOf(main), "Setup for Setup Test Package");
    const auto mainLabels = ui::LabelTexts(main);
    EXPECT_NE(std::find(mainLabels.begin(), mainLabels.end(), "Install Utility"), mainLabels.end());
    Shot(main, "01-main");
    ASSERT_TRUE(ui::Press(main, "&Continue"));

    HWND licence = Expect(setup, "TLicenceForm");
    ASSERT_NE(licence, nullptr);
    EXPECT_EQ(ui::TextOf(licence), "Licence Agreement for Setup Test Package");
    EXPECT_EQ(ui::TextOf(ui::FindChild(licence, "Edit")),
              "Terms of the test package.\r\nSecond line of the terms.");
    EXPECT_FALSE(IsWindowVisible(main)) << "the licence hides the main window";
    Shot(licence, "02-licence");
    ASSERT_TRUE(ui::Press(licence, "I &Agree"));

    HWND destination = Expect(setup, "TInstallForm");
    ASSERT_NE(destination, nullptr);
    HWND edit = ui::FindChild(destination, "Edit");
    EXPECT_EQ(ui::TextOf(edit), programs + "\\" + tag_);
    Shot(destination, "03-destination");
    ASSERT_TRUE(ui::Press(destination, "Change &Folder"));

    HWND chooser = Expect(setup, "TChangeForm");
    ASSERT_NE(chooser, nullptr);
    HWND list = ui::FindChild(chooser, "ListBox");
    ASSERT_NE(list, nullptr);
    EXPECT_TRUE(ui::WaitUntil([&] { return FolderLabel(chooser) == programs; }));
    // The popup menu of the list: its one item opens the new-folder dialog.
    RECT listArea{};
    GetWindowRect(list, &listArea);
    PostMessageA(list, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(list), MAKELPARAM(listArea.left + 20, listArea.top + 20));
    HWND menu = Expect(setup, "#32768");
    ASSERT_NE(menu, nullptr);
    ui::PressKey(menu, VK_DOWN);
    ui::PressKey(menu, VK_RETURN);

    HWND newFolder = Expect(setup, "TNewFolderForm");
    ASSERT_NE(newFolder, nullptr);
    Shot(newFolder, "04-new-folder");
    ui::Type(ui::FindChild(newFolder, "Edit"), tag_);
    ASSERT_TRUE(ui::Press(newFolder, "&Create"));
    EXPECT_TRUE(ui::WaitUntil([&] { return FolderExists(chosen); }));
    ASSERT_TRUE(ui::Press(newFolder, "&Done"));
    EXPECT_TRUE(ui::WaitUntilGone(newFolder));

    // Open the new folder in the list with Enter. The list holds "C:\", "Program Files" and the
    // sorted subfolders; its texts cannot be read from another process, its count can.
    const auto subfolders = SubfolderNames(programs);
    const size_t index = 2 + static_cast<size_t>(std::find(subfolders.begin(), subfolders.end(), tag_) - subfolders.begin());
    ASSERT_LT(index, 2 + subfolders.size());
    EXPECT_EQ(SendMessageA(list, LB_GETCOUNT, 0, 0), static_cast<LRESULT>(2 + subfolders.size()))
        << "the list shows the new folder";
    SendMessageA(list, LB_SETCURSEL, index, 0);
    SetForegroundWindow(chooser);
    ui::PressKey(list, VK_RETURN);
    EXPECT_TRUE(ui::WaitUntil([&] { return FolderLabel(chooser) == chosen; }));
    Shot(chooser, "05-chooser");
    ASSERT_TRUE(ui::Press(chooser, "&OK"));

    EXPECT_TRUE(ui::WaitUntil([&] { return ui::TextOf(edit) == chosen; }));
    ui::SetText(edit, installFolder);
    ASSERT_TRUE(ui::Press(destination, "&Install"));

    ui::Box create = ui::WaitForMessageBox(pid);
    ASSERT_NE(create.window, nullptr);
    EXPECT_EQ(create.caption, "Folder Does Not Exist");
    EXPECT_NE(create.text.find("Folder " + installFolder + " does not exist."), std::string::npos) << create.text;
    Shot(create.window, "06-folder-does-not-exist");
    ui::Answer(create, IDYES);

    HWND progress = Expect(setup, "TProgressForm");
    ASSERT_NE(progress, nullptr);
    ui::Box insert = ui::WaitForMessageBox(pid);
    ASSERT_NE(insert.window, nullptr);
    EXPECT_EQ(insert.caption, "Insert Next Disk");
    EXPECT_NE(insert.text.find("insert Disk 2 and press OK."), std::string::npos) << insert.text;
    Shot(progress, "07-progress-disk-prompt");
    media->InsertDisk(2);
    ui::Answer(insert, IDOK);

    EXPECT_TRUE(ui::WaitUntil([&] { return ui::FindChild(progress, "Button", "OK") != nullptr; }, 60000));
    EXPECT_EQ(ui::BarPosition(progress, 0), 100);
    EXPECT_EQ(ui::BarPosition(progress, 1), 100);
    Shot(progress, "08-progress-complete");
    ASSERT_TRUE(ui::Press(progress, "OK"));
    ASSERT_TRUE(setup.WaitForExit(20000));
    EXPECT_EQ(setup.ExitCode(), 0u);

    EXPECT_EQ(ReadTextFile(installFolder + "\\readme.txt"), ReadmeContent);
    EXPECT_TRUE(ReadTextFile(installFolder + "\\Data\\tool.dat") == ToolContent);
    EXPECT_EQ(ReadTextFile(installFolder + "\\extra.txt"), ExtraContent);
    EXPECT_TRUE(FileExists(WindowsFolder() + "\\qupsetup.exe"));
    EXPECT_EQ(ReadMachineValue(registryKey_, "InstallDir"), installFolder);
    EXPECT_EQ(ReadMachineNumber(registryKey_, "Build"), 0x102u);
    const std::string log = installFolder + "\\uninstal.ini";
    ASSERT_TRUE(FileExists(log));
    const auto logged = SectionValues(log, "ProgramFiles");
    const auto shortcuts = std::count_if(logged.begin(), logged.end(), [](const std::string& path) {
        return path.size() > 4 && path.substr(path.size() - 4) == ".lnk" && FileExists(path);
    });
    EXPECT_EQ(shortcuts, 3) << "group, Start menu and desktop";
    const auto directories = SectionValues(log, "Directories");
    EXPECT_EQ(std::count(directories.begin(), directories.end(), chosen), 0)
        << "a folder made in the chooser is not the install's";

    ProgramUnderTest uninstall(SetupExeIn(media->First()), log, media->First());
    ASSERT_TRUE(uninstall.Started());
    HWND uninstallMain = Expect(uninstall, "TMainForm");
    ASSERT_NE(uninstallMain, nullptr);
    Shot(uninstallMain, "09-uninstall-main");
    ASSERT_TRUE(ui::Press(uninstallMain, "U&ninstall"));
    ui::Box sure = ui::WaitForMessageBox(uninstall.ProcessId());
    EXPECT_EQ(sure.text, "Are you sure?");
    EXPECT_EQ(sure.caption, "  Uninstall Setup Test Package");
    ui::Answer(sure, IDYES);
    HWND uninstallProgress = Expect(uninstall, "TUninstallForm");
    ASSERT_NE(uninstallProgress, nullptr);
    EXPECT_TRUE(ui::WaitUntil([&] { return ui::FindChild(uninstallProgress, "Button", "OK") != nullptr; }, 60000));
    Shot(uninstallProgress, "10-uninstall-complete");
    ASSERT_TRUE(ui::Press(uninstallProgress, "OK"));
    ASSERT_TRUE(uninstall.WaitForExit(20000));

    EXPECT_FALSE(FolderExists(installFolder));
    EXPECT_FALSE(MachineKeyExists(registryKey_));
    for (const std::string& path : logged) EXPECT_FALSE(FileExists(path)) << path;
    EXPECT_TRUE(FolderExists(chosen)) << "made in the chooser, not by the install";
    DeleteFileA((WindowsFolder() + "\\qupsetup.exe").c_str());
}

TEST_F(WholeProgramTest, RefusedLicenceEndsTheRunWithoutAskingForAFolder) {
    const auto media = MakeMedia("licence=licence.txt");
    ProgramUnderTest setup(SetupExeIn(media->First()), "", media->First());
    HWND main = Expect(setup, "TMainForm");
    ASSERT_NE(main, nullptr);
    ASSERT_TRUE(ui::Press(main, "&Continue"));
    HWND licence = Expect(setup, "TLicenceForm");
    ASSERT_NE(licence, nullptr);
    ASSERT_TRUE(ui::Press(licence, "E&xit"));
    ASSERT_TRUE(setup.WaitForExit(20000));
    EXPECT_FALSE(FolderExists(ProgramFilesFolder() + "\\" + tag_));
    EXPECT_FALSE(MachineKeyExists(registryKey_));
}

TEST_F(WholeProgramTest, NoneLicenceGoesStraightToTheDestinationWhoseExitAsksFirst) {
    const auto media = MakeMedia("licence=none");
    ProgramUnderTest setup(SetupExeIn(media->First()), "", media->First());
    HWND main = Expect(setup, "TMainForm");
    ASSERT_NE(main, nullptr);
    ASSERT_TRUE(ui::Press(main, "&Continue"));
    HWND destination = Expect(setup, "TInstallForm");
    ASSERT_NE(destination, nullptr);
    EXPECT_TRUE(ui::TopWindows(setup.ProcessId(), "TLicenceForm").empty());
    EXPECT_TRUE(IsWindowVisible(main)) << "without a licence the main window stays";

    ASSERT_TRUE(ui::Press(destination, "E&xit"));
    ui::Box quit = ui::WaitForMessageBox(setup.ProcessId());
    EXPECT_EQ(quit.text, "Do you really want to quit ?");
    EXPECT_EQ(quit.caption, "Install");
    Shot(quit.window, "exit-question");
    ui::Answer(quit, IDNO);
    EXPECT_TRUE(ui::WaitUntilGone(quit.window));
    EXPECT_TRUE(IsWindowVisible(destination)) << "No stays in the dialog";

    ASSERT_TRUE(ui::Press(destination, "E&xit"));
    quit = ui::WaitForMessageBox(setup.ProcessId());
    ui::Answer(quit, IDYES);
    ASSERT_TRUE(setup.WaitForExit(20000));
    EXPECT_FALSE(FolderExists(ProgramFilesFolder() + "\\" + tag_));
}

TEST_F(WholeProgramTest, NoToAreYouSureUninstallsNothing) {
    TempFolder app;
    WriteTextFile(app / "kept.txt", "an installed file that must stay");
    WriteTextFile(app / "uninstal.ini", "[Package]\nname=Setup Test Package\n[ProgramFiles]\nfile1=" + (app / "kept.txt") +
                                            "\n[Directories]\ndir1=" + app.Path() + "\n");
    ASSERT_TRUE(RecordAsInstalled(app / "uninstal.ini"));
    ProgramUnderTest uninstall(SetupExeIn(app.Path()), app / "uninstal.ini", app.Path());
    HWND main = Expect(uninstall, "TMainForm");
    ASSERT_NE(main, nullptr);
    EXPECT_TRUE(ui::WaitUntil([&] { return ui::FindChild(main, "Button", "U&ninstall") != nullptr; }));
    EXPECT_EQ(ui::FindChild(main, "Button", "&Continue"), nullptr) << "only the Uninstall page";
    ASSERT_TRUE(ui::Press(main, "U&ninstall"));
    ui::Box sure = ui::WaitForMessageBox(uninstall.ProcessId());
    EXPECT_EQ(sure.text, "Are you sure?");
    EXPECT_FALSE(IsWindowVisible(main));
    ui::Answer(sure, IDNO);
    ASSERT_TRUE(uninstall.WaitForExit(20000));
    EXPECT_TRUE(ui::TopWindows(uninstall.ProcessId(), "TUninstallForm").empty());
    EXPECT_TRUE(FileExists(app / "kept.txt"));
    EXPECT_TRUE(FileExists(app / "uninstal.ini"));
}

TEST_F(WholeProgramTest, ClosingTheMainWindowEndsTheRunWithExitCodeZero) {
    const auto media = MakeMedia("licence=none");
    ProgramUnderTest setup(SetupExeIn(media->First()), "", media->First());
    HWND main = Expect(setup, "TMainForm");
    ASSERT_NE(main, nullptr);
    EXPECT_EQ(ui::TextOf(main), "Setup for Setup Test Package");
    PostMessageA(main, WM_CLOSE, 0, 0);
    ASSERT_TRUE(setup.WaitForExit(20000));
    EXPECT_EQ(setup.ExitCode(), 0u);
    EXPECT_TRUE(FileExists(media->First() + "\\install.ini")) << "the media's own script stays";
}

TEST_F(WholeProgramTest, MediaWithoutScriptIsReportedAndTheRunEnds) {
    TempFolder empty;
    ASSERT_TRUE(CopyFileA(SetupExePath().c_str(), (empty / "setup.exe").c_str(), TRUE));
    ProgramUnderTest setup(SetupExeIn(empty.Path()), "", empty.Path());
    ui::Box box = ui::WaitForMessageBox(setup.ProcessId());
    EXPECT_EQ(box.caption, "Fatal Error");
    EXPECT_EQ(box.text, "install.ini not found or invalid: " + (empty / "install.ini"));
    ui::Answer(box, IDOK);
    ASSERT_TRUE(setup.WaitForExit(20000));
    EXPECT_EQ(setup.ExitCode(), 0u);
}
