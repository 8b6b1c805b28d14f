#include <gtest/gtest.h>

#include <windows.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "app/MainForm.h"
#include "app/RunLanguage.h"
#include "base/FormatText.h"
#include "base/Texts.h"
#include "dialogs/ChangeForm.h"
#include "dialogs/InstallForm.h"
#include "dialogs/LicenceForm.h"
#include "dialogs/NewFolderForm.h"
#include "e2e/SetupMedia.h"
#include "e2e/UiDriver.h"
#include "install/ProgressForm.h"
#include "state/SetupState.h"
#include "support/SetupStateScope.h"
#include "support/ShippedLanguages.h"
#include "support/SystemDpiSetting.h"
#include "support/WideText.h"
#include "toolkit/Application.h"
#include "toolkit/DisplayScale.h"
#include "uninstall/UninstallForm.h"

// Every window in every shipped language, measured by the platform: each label and button shows
// its text whole and lies within its window, no two overlap, and the window lies on the screen;
// with the package's name as long as a name may be too, in words or as one word.

namespace {

constexpr const char* PackageName = "Setup Test Package";
// As long as a package's name may be, wider than a line of the main window and, at 150 % and
// 200 %, than the screen: words, and one word that no line can hold.
const std::vector<std::string> LongNames{"Wide Package Name With Many Words For The Progress Window",
                                         std::string(MaxPackageNameLength, 'W')};

// The text a control shows, as wide characters: a button's keyboard letter mark is not drawn.
std::wstring ShownText(HWND control) {
    wchar_t text[512] = {};
    std::wstring shown(text, static_cast<size_t>(GetWindowTextW(control, text, 512)));
    const size_t mark = shown.find(L'&');
    if (ui::ClassOf(control) == "Button" && mark != std::wstring::npos) shown.erase(mark, 1);
    return shown;
}

// The width and height of the control's text as the platform draws it in the control's own font:
// on one line, or wrapped at `width` in a label and a multi-line button, a label with
// SS_EDITCONTROL breaking a word longer than a line (DrawText widens the area for a word it does
// not break).
SIZE TextExtent(HWND control, int width) {
    const std::wstring text = ShownText(control);
    if (text.empty()) return {0, 0};
    const LONG_PTR style = GetWindowLongPtrW(control, GWL_STYLE);
    const bool label = ui::ClassOf(control) == "Static";
    const bool wraps = label || (style & BS_MULTILINE);
    HDC dc = GetDC(control);
    HGDIOBJ old = SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageW(control, WM_GETFONT, 0, 0)));
    RECT area{0, 0, wraps ? width : 0, 0};
    DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &area,
              DT_CALCRECT | DT_NOPREFIX | (wraps ? DT_WORDBREAK : DT_SINGLELINE) |
                  (label && (style & SS_EDITCONTROL) ? DT_EDITCONTROL : 0));
    SelectObject(dc, old);
    ReleaseDC(control, dc);
    return {area.right, area.bottom};
}

// Where the control stands in its parent's client area.
RECT PlaceInParent(HWND control) {
    RECT area{};
    GetWindowRect(control, &area);
    MapWindowPoints(nullptr, GetParent(control), reinterpret_cast<POINT*>(&area), 2);
    if (area.left > area.right) std::swap(area.left, area.right);  // a mirrored parent counts from the right
    return area;
}

bool Within(const RECT& inner, const RECT& outer) {
    return inner.left >= outer.left && inner.top >= outer.top && inner.right <= outer.right &&
           inner.bottom <= outer.bottom;
}

// The labels, buttons and edit boxes of a window, shown or not (the window itself is not shown).
std::vector<HWND> TextControls(HWND window) {
    std::vector<HWND> controls;
    for (HWND child : ui::Children(window)) {
        const std::string kind = ui::ClassOf(child);
        if ((kind == "Static" || kind == "Button" || kind == "Edit") && (GetWindowLongPtrA(child, GWL_STYLE) & WS_VISIBLE))
            controls.push_back(child);
    }
    return controls;
}

// What a button's edges and focus frame take beside its text, in pixels.
constexpr int ButtonEdges = 6;

void ExpectShownWhole(const Form& form, const std::string& name) {
    SCOPED_TRACE(name);
    RECT work{}, frame{};
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
    GetWindowRect(form.Handle(), &frame);
    EXPECT_TRUE(Within(frame, work)) << "the window at " << frame.left << "," << frame.top << ".." << frame.right
                                     << "," << frame.bottom;
    const std::vector<HWND> controls = TextControls(form.Handle());
    for (size_t i = 0; i < controls.size(); ++i) {
        HWND control = controls[i];
        const std::string text = NarrowText(ShownText(control));
        const RECT area = PlaceInParent(control);
        RECT parent{};
        GetClientRect(GetParent(control), &parent);
        EXPECT_TRUE(Within(area, parent)) << "\"" << text << "\" reaches beyond its window";
        const std::string kind = ui::ClassOf(control);
        if (kind != "Edit") {
            const int edges = kind == "Button" ? ButtonEdges : 0;
            const SIZE extent = TextExtent(control, area.right - area.left - edges);
            EXPECT_LE(extent.cx + edges, area.right - area.left) << "\"" << text << "\" is cut";
            EXPECT_LE(extent.cy, area.bottom - area.top) << "\"" << text << "\" is cut";
        }
        for (size_t j = 0; j < i; ++j) {
            RECT common{};
            const RECT other = PlaceInParent(controls[j]);
            EXPECT_FALSE(GetParent(controls[j]) == GetParent(control) && IntersectRect(&common, &area, &other))
                << "\"" << text << "\" overlaps \"" << NarrowText(ShownText(controls[j])) << "\"";
        }
    }
}

// A progress window through the phases a run shows on it, each shown whole.
void ExpectPhasesShownWhole(ProgressWindow& window, const std::string& name, const std::vector<TextId>& phases,
                            TextId item, const char* package = PackageName) {
    window.ShowCurrentItem(FormatText(item, package));
    for (const TextId phase : phases) {
        window.ShowPhase(FormatText(phase, package));
        ExpectShownWhole(window, name + ": " + window.PhaseLabel.Caption());
    }
}

// Right to left for the languages written so, and the fonts' character set, as the run sets them;
// left to right and the default set again at the end.
class WritingDirection {
public:
    explicit WritingDirection(const std::string& tag) {
        Application::Instance().SetRightToLeft(WrittenRightToLeft(tag));
        Application::Instance().SetCharacterSet(CharacterSetOf(tag));
    }
    ~WritingDirection() {
        Application::Instance().SetRightToLeft(false);
        Application::Instance().SetCharacterSet(DEFAULT_CHARSET);
    }
    WritingDirection(const WritingDirection&) = delete;
    WritingDirection& operator=(const WritingDirection&) = delete;
};

// The windows that show the package's name, with a long one.
void ExpectLongNameShownWhole(const std::string& name) {
    SCOPED_TRACE(name);
    ASSERT_LE(name.size(), MaxPackageNameLength);
    const SetupStateScope state;
    Setup.PackageName = name;
    TMainForm main;
    // What the run shows once it has read the name.
    main.Label2.SetCaption(name);
    main.Label7.SetCaption(name);
    ExpectShownWhole(main, "main, install page");
    main.PageControl1.SetActivePage(main.TabSheet2);
    ExpectShownWhole(main, "main, uninstall page");
    TProgressForm install;
    ExpectPhasesShownWhole(install, "install progress", {TextId::CopyingSupportFiles, TextId::SuccessfullyInstalled},
                           TextId::InstallingComplete, name.c_str());
    // As the run ends: no file at hand.
    install.ShowCurrentItem("");
    install.ShowPhase(FormatText(TextId::SuccessfullyInstalled, name.c_str()));
    install.OfferStart();
    ExpectShownWhole(install, "install ended, start offered");
    TUninstallForm uninstall;
    ExpectPhasesShownWhole(uninstall, "uninstall progress", {TextId::DeletingSupportFiles, TextId::SuccessfullyUninstalled},
                           TextId::UninstallingComplete, name.c_str());
}

void ExpectEveryWindowShownWhole() {
    const SetupMedia media("[Package]\nname=Setup Test Package\nlanguages=all\n[Licence]\nlicence=none\n"
                           "[InstallFolder]\ninstall=c:\\Langs\n[Disks]\nn=1\n[ProgramFiles01]\n"
                           "file1=%%INSTALLPATH%%\\app.txt\n",
                           "", {{{"app.txt", "an application file of the package"}}});
    ASSERT_EQ(media.Error(), "");
    const std::vector<std::string> tags = ShippedLanguageTags();
    ASSERT_GT(tags.size(), 1u);
    for (const std::string& tag : tags) {
        SCOPED_TRACE(tag);
        const EnglishAfterwards english;
        if (tag != "en") {
            const std::string file = ReadTextFile(media.First() + "\\" + LanguageFileFor(tag));
            ASSERT_TRUE(UseLanguageFile(file, LanguageFileFor(tag).c_str()).empty());
        }
        const WritingDirection direction(tag);
        TMainForm main;
        ExpectShownWhole(main, "main, install page");
        main.PageControl1.SetActivePage(main.TabSheet2);
        ExpectShownWhole(main, "main, uninstall page");
        ExpectShownWhole(TLicenceForm(), "licence");
        ExpectShownWhole(TInstallForm(), "destination");
        ExpectShownWhole(TChangeForm(), "folder chooser");
        ExpectShownWhole(TNewFolderForm(), "new folder");
        TProgressForm install;
        ExpectPhasesShownWhole(install, "install progress",
                               {TextId::CopyingSupportFiles, TextId::WritingRegistryEntries, TextId::SuccessfullyInstalled},
                               TextId::InstallingComplete);
        TUninstallForm uninstall;
        ExpectPhasesShownWhole(uninstall, "uninstall progress",
                               {TextId::DeletingSupportFiles, TextId::DeletingRegistryEntries, TextId::SuccessfullyUninstalled},
                               TextId::UninstallingComplete);
        uninstall.ShowEnded();
        ExpectShownWhole(uninstall, "uninstall ended");
        for (const std::string& name : LongNames) ExpectLongNameShownWhole(name);
    }
}

constexpr const char* ExpectedDpiVariable = "SETUP_EXPECT_DPI";

// This test program run again, at the system DPI that programs started now get, for one test,
// which is told the DPI to expect.
DWORD RunAgainAt(DWORD dpi, const std::string& test) {
    const SystemDpiSetting setting(dpi);
    SetEnvironmentVariableA(ExpectedDpiVariable, std::to_string(dpi).c_str());
    char self[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, self, MAX_PATH);
    std::string commandLine = "\"" + std::string(self) + "\" --gtest_filter=" + test;
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    const bool started =
        CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup, &process);
    SetEnvironmentVariableA(ExpectedDpiVariable, nullptr);
    if (!started) return GetLastError();
    WaitForSingleObject(process.hProcess, 110000);
    DWORD code = STILL_ACTIVE;
    GetExitCodeProcess(process.hProcess, &code);
    if (code == STILL_ACTIVE) TerminateProcess(process.hProcess, 1);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return code;
}

}  // namespace

// At the system DPI this program was started with (96 in the suite).
TEST(LanguageLayouts, EveryWindowShowsEveryTextWholeInEveryLanguage) {
    // Told the real DPI, as setup.exe's manifest has it, rather than a picture scaled from 96.
    SetProcessDPIAware();
    if (const char* expected = std::getenv(ExpectedDpiVariable)) {
        ASSERT_EQ(SystemDpi(), std::atoi(expected));
    }
    ExpectEveryWindowShownWhole();
}

// The same at 150 % and 200 %, each in a run of its own: a program's DPI is the one it starts with.
TEST(LanguageLayouts, EveryTextIsShownWholeAtOneAndAHalfAndTwiceTheSize) {
    for (const DWORD dpi : {144u, 192u}) {
        SCOPED_TRACE(dpi);
        EXPECT_EQ(RunAgainAt(dpi, "LanguageLayouts.EveryWindowShowsEveryTextWholeInEveryLanguage"), 0u);
    }
}
