#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "e2e/SetupMedia.h"
#include "e2e/UiDriver.h"
#include "support/ShippedLanguages.h"
#include "support/TestFiles.h"

// An install and an uninstall through every window, in each shipped language as "/LANG=" asks
// for it: each window speaks that language, is mirrored when the language is written right to
// left, and lies on the screen. With SETUP_SCREENSHOT_DIR set, the pictures go to <tag>/ there.

namespace {

constexpr const char* PackageName = "Setup Test Package";

std::string ProgramFilesFolder() {
    char folder[MAX_PATH] = {};
    DWORD size = sizeof folder;
    RegGetValueA(HKEY_LOCAL_MACHINE, "Software\\Microsoft\\Windows\\CurrentVersion", "ProgramFilesDir",
                 RRF_RT_REG_SZ, nullptr, folder, &size);
    return folder;
}

// A catalog text with the package name in its one place.
std::string Named(const std::string& text) {
    const size_t at = text.find("%s");
    return at == std::string::npos ? text : text.substr(0, at) + PackageName + text.substr(at + 2);
}

bool Contains(const std::vector<std::string>& texts, const std::string& text) {
    return std::find(texts.begin(), texts.end(), text) != texts.end();
}

class LanguageWindows : public ::testing::TestWithParam<std::string> {
protected:
    static void SetUpTestSuite() {
        media_ = std::make_unique<SetupMedia>(
            "[Package]\nname=Setup Test Package\nlanguages=all\n[Licence]\nlicence=licence.txt\n"
            "[InstallFolder]\ninstall=%%PROGPATH%%\\LanguageWindows\n[Disks]\nn=1\n[ProgramFiles01]\n"
            "file1=%%INSTALLPATH%%\\readme.txt\n",
            "The terms of the test package, in English whatever the language.\n",
            std::vector<SetupMedia::Files>{{{"readme.txt", "The readme of the test package, longer than sixteen bytes.\n"}}});
    }
    static void TearDownTestSuite() { media_.reset(); }

    LanguageWindows()
        : tag_(GetParam()),
          installFolder_(ProgramFilesFolder() + "\\LanguageWindows" + std::to_string(GetCurrentProcessId()) + "-" + tag_),
          shots_(ScreenshotFolder(scratch_.Path()) + "\\" + tag_) {
        CreateDirectoryA(shots_.c_str(), nullptr);
    }
    ~LanguageWindows() override { RemoveTree(installFolder_); }

    std::string Text(const std::string& name) const { return CatalogText(tag_, name); }

    // Waits for the window; it is mirrored when the language is written right to left, lies
    // within the screen less the task bar, and leaves its picture.
    HWND Expect(const ProgramUnderTest& program, const std::string& className, const std::string& shot) {
        HWND window = ui::WaitForWindow(program.ProcessId(), className);
        EXPECT_NE(window, nullptr) << className << " did not come";
        if (!window) return nullptr;
        const bool mirrored = (GetWindowLongPtrA(window, GWL_EXSTYLE) & WS_EX_LAYOUTRTL) != 0;
        EXPECT_EQ(mirrored, WrittenRightToLeft(tag_)) << className;
        Shot(window, shot);
        return window;
    }

    // Paths, drives and folder names read left to right in every language, a mirrored window too.
    static void ExpectLeftToRight(HWND control, const char* what) {
        ASSERT_NE(control, nullptr) << what;
        EXPECT_EQ(GetWindowLongPtrA(control, GWL_EXSTYLE) & (WS_EX_LAYOUTRTL | WS_EX_RTLREADING), 0) << what;
    }

    void Shot(HWND window, const std::string& name) {
        RECT work{}, frame{};
        SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
        GetWindowRect(window, &frame);
        EXPECT_TRUE(frame.left >= work.left && frame.top >= work.top && frame.right <= work.right &&
                    frame.bottom <= work.bottom)
            << name << " lies at " << frame.left << "," << frame.top << ".." << frame.right << "," << frame.bottom;
        EXPECT_TRUE(ui::SaveScreenshot(window, shots_ + "\\" + name + ".bmp")) << name;
    }

    void Install() {
        ProgramUnderTest setup(SetupExeIn(media_->First()), "/LANG=" + tag_, media_->First());
        ASSERT_TRUE(setup.Started());
        HWND main = Expect(setup, "TMainForm", "01-main");
        ASSERT_NE(main, nullptr);
        EXPECT_EQ(ui::TextOf(main), Named(Text("MainCaption")));
        EXPECT_TRUE(Contains(ui::LabelTexts(main), Text("InstallUtility")));
        ASSERT_TRUE(ui::Press(main, Text("MainContinue")));

        HWND licence = Expect(setup, "TLicenceForm", "02-licence");
        ASSERT_NE(licence, nullptr);
        EXPECT_EQ(ui::TextOf(licence), Named(Text("LicenceTitle")));
        EXPECT_TRUE(Contains(ui::LabelTexts(licence), Text("LicenceMustAgree")));
        ASSERT_TRUE(ui::Press(licence, Text("LicenceAgree")));

        HWND destination = Expect(setup, "TInstallForm", "03-destination");
        ASSERT_NE(destination, nullptr);
        EXPECT_EQ(ui::TextOf(destination), Text("DestinationCaption"));
        ExpectLeftToRight(ui::FindChild(destination, "Edit"), "the folder's box");
        ASSERT_TRUE(ui::Press(destination, Text("DestinationChangeFolder")));

        HWND chooser = Expect(setup, "TChangeForm", "04-chooser");
        ASSERT_NE(chooser, nullptr);
        EXPECT_EQ(ui::TextOf(chooser), Text("ChooserCaption"));
        ExpectLeftToRight(ui::FindChild(chooser, "ComboBox"), "the drive list");
        ExpectLeftToRight(ui::FindChild(chooser, "ListBox"), "the folder list");
        OpenNewFolderDialog(setup, chooser);
        ASSERT_TRUE(ui::Press(chooser, Text("ChooserCancel")));
        EXPECT_TRUE(ui::WaitUntilGone(chooser));

        ui::SetText(ui::FindChild(destination, "Edit"), installFolder_);
        ASSERT_TRUE(ui::Press(destination, Text("DestinationInstall")));
        const ui::Box create = ui::WaitForMessageBox(setup.ProcessId());
        ASSERT_NE(create.window, nullptr);
        EXPECT_EQ(create.caption, Text("FolderDoesNotExistCaption"));
        Shot(create.window, "06-folder-does-not-exist");
        ui::Answer(create, IDYES);

        HWND progress = ui::WaitForWindow(setup.ProcessId(), "TProgressForm");
        ASSERT_NE(progress, nullptr);
        EXPECT_TRUE(ui::WaitUntil([&] { return ui::FindChild(progress, "Button", Text("ProgressOk")) != nullptr; }, 60000));
        Expect(setup, "TProgressForm", "07-install-progress");
        EXPECT_EQ(ui::TextOf(progress), Named(Text("InstallingComplete")));
        ASSERT_TRUE(ui::Press(progress, Text("ProgressOk")));
        ASSERT_TRUE(setup.WaitForExit(20000));
        EXPECT_TRUE(FileExists(installFolder_ + "\\readme.txt"));
    }

    // The new-folder dialog from the list's popup menu, shown and closed.
    void OpenNewFolderDialog(const ProgramUnderTest& setup, HWND chooser) {
        HWND list = ui::FindChild(chooser, "ListBox");
        ASSERT_NE(list, nullptr);
        RECT listArea{};
        GetWindowRect(list, &listArea);
        PostMessageA(list, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(list), MAKELPARAM(listArea.left + 20, listArea.top + 20));
        HWND menu = ui::WaitForWindow(setup.ProcessId(), "#32768");
        ASSERT_NE(menu, nullptr);
        ui::PressKey(menu, VK_DOWN);
        ui::PressKey(menu, VK_RETURN);
        HWND newFolder = Expect(setup, "TNewFolderForm", "05-new-folder");
        ASSERT_NE(newFolder, nullptr);
        EXPECT_EQ(ui::TextOf(newFolder), Text("NewFolderCaption"));
        EXPECT_NE(ui::FindChild(newFolder, "Button", Text("NewFolderCreate")), nullptr);
        ASSERT_TRUE(ui::Press(newFolder, Text("NewFolderDone")));
        EXPECT_TRUE(ui::WaitUntilGone(newFolder));
    }

    // Without "/LANG=": the uninstall speaks the language of its install.
    void Uninstall() {
        ProgramUnderTest uninstall(SetupExeIn(media_->First()), installFolder_ + "\\uninstal.ini", media_->First());
        ASSERT_TRUE(uninstall.Started());
        HWND main = Expect(uninstall, "TMainForm", "08-uninstall-main");
        ASSERT_NE(main, nullptr);
        EXPECT_TRUE(Contains(ui::LabelTexts(main), Text("UninstallUtility")));
        ASSERT_TRUE(ui::Press(main, Text("MainUninstall")));
        const ui::Box sure = ui::WaitForMessageBox(uninstall.ProcessId());
        ASSERT_NE(sure.window, nullptr);
        EXPECT_EQ(sure.text, Text("AreYouSure"));
        Shot(sure.window, "09-are-you-sure");
        ui::Answer(sure, IDYES);
        HWND progress = ui::WaitForWindow(uninstall.ProcessId(), "TUninstallForm");
        ASSERT_NE(progress, nullptr);
        EXPECT_TRUE(ui::WaitUntil([&] { return ui::FindChild(progress, "Button", Text("ProgressOk")) != nullptr; }, 60000));
        Expect(uninstall, "TUninstallForm", "10-uninstall-progress");
        ASSERT_TRUE(ui::Press(progress, Text("ProgressOk")));
        ASSERT_TRUE(uninstall.WaitForExit(20000));
        EXPECT_FALSE(FolderExists(installFolder_));
    }

    static std::unique_ptr<SetupMedia> media_;
    std::string tag_;
    std::string installFolder_;
    TempFolder scratch_;
    std::string shots_;
};

std::unique_ptr<SetupMedia> LanguageWindows::media_;

// "pt-BR" as a test's name can have it.
std::string TestName(const ::testing::TestParamInfo<std::string>& info) {
    std::string name = info.param;
    std::replace(name.begin(), name.end(), '-', '_');
    return name;
}

}  // namespace

TEST_P(LanguageWindows, InstallAndUninstallSpeakTheLanguageInEveryWindow) {
    ASSERT_EQ(media_->Error(), "");
    Install();
    if (HasFatalFailure()) return;
    Uninstall();
}

INSTANTIATE_TEST_SUITE_P(Shipped, LanguageWindows, ::testing::ValuesIn(ShippedLanguageTags()), TestName);
