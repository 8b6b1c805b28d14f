#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

#include "e2e/SetupMedia.h"
#include "e2e/UiDriver.h"
#include "support/TestFiles.h"

namespace {

// Names of DLLs a program may come to load that Windows does not protect as known DLLs, so a
// copy beside the program is taken in place of the system's. Left out: the known DLLs, which
// Windows never looks for beside a program, and three names wine's own DLLs load past the
// process's search setting, which Windows applies to them: version (imported by wine's comctl32,
// shell32 and ole32 at start-up), uxtheme and msimg32 (loaded late by wine's comctl32).
const std::vector<std::string> UnprotectedNames = {
    "lz32",     "comctl32", "dwmapi",   "cryptbase", "profapi",  "winmm",         "propsys",         "userenv",
    "secur32",  "sspicli",  "ntmarta",  "apphelp",   "shfolder", "wtsapi32",      "dbghelp",         "netapi32",
    "mpr",      "cryptsp",  "rsaenh",   "oleacc",    "crypt32",  "winhttp",       "wininet",         "bcrypt",
    "ntshrui",  "srvcli",   "cscapi",   "linkinfo",  "edputil",  "wldp",          "powrprof",        "iertutil",
    "dwrite",   "msasn1",   "wintrust", "cfgmgr32",  "devobj",   "windowscodecs", "windows.storage", "kernel.appcore",
    "riched20", "msftedit", "textshaping"};

// Marker copies under every name in `folder`, and wine told to prefer a DLL found beside the
// programs of these names, as Windows does for such names; the setting goes at the end. (Set
// in the environment of this process, WINEDLLOVERRIDES does not reach the programs it starts.)
class PlantedDlls {
public:
    PlantedDlls(const std::string& folder, const std::vector<std::string>& programs)
        : folder_(folder), programs_(programs) {
        for (const std::string& name : UnprotectedNames)
            CopyFileA(WinePath(PLANTED_MARKER_UNIX_PATH).c_str(), MarkerPath(name).c_str(), FALSE);
        for (const std::string& program : programs_) {
            HKEY key = nullptr;
            if (RegCreateKeyExA(HKEY_CURRENT_USER, (OverridesKey(program) + "\\DllOverrides").c_str(), 0, nullptr, 0,
                                KEY_SET_VALUE, nullptr, &key, nullptr) != ERROR_SUCCESS)
                continue;
            for (const std::string& name : UnprotectedNames)
                RegSetValueExA(key, name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>("native,builtin"), 15);
            RegCloseKey(key);
        }
    }
    ~PlantedDlls() {
        for (const std::string& program : programs_) RegDeleteTreeA(HKEY_CURRENT_USER, OverridesKey(program).c_str());
    }
    PlantedDlls(const PlantedDlls&) = delete;
    PlantedDlls& operator=(const PlantedDlls&) = delete;

    // The names whose marker some process loaded.
    std::vector<std::string> Loaded() const {
        std::vector<std::string> loaded;
        for (const std::string& name : UnprotectedNames)
            if (FileExists(MarkerPath(name) + ".loaded")) loaded.push_back(name);
        return loaded;
    }

private:
    static std::string OverridesKey(const std::string& program) { return "Software\\Wine\\AppDefaults\\" + program; }
    std::string MarkerPath(const std::string& name) const { return folder_ + "\\" + name + ".dll"; }

    std::string folder_;
    std::vector<std::string> programs_;
};

std::string WindowsFolder() {
    char folder[MAX_PATH] = {};
    GetWindowsDirectoryA(folder, MAX_PATH);
    return folder;
}

// The shortcut files the log records that exist.
int LoggedShortcutsPresent(const std::string& log) {
    int present = 0;
    for (int i = 1;; ++i) {
        char path[MAX_PATH] = {};
        const std::string key = "file" + std::to_string(i);
        if (!GetPrivateProfileStringA("ProgramFiles", key.c_str(), "", path, MAX_PATH, log.c_str())) return present;
        const std::string entry = path;
        if (entry.size() > 4 && entry.substr(entry.size() - 4) == ".lnk" && FileExists(entry)) ++present;
    }
}

// Waits for the window of the class and, once the button shows on it, presses it.
void PressWhenShown(const ProgramUnderTest& program, const char* windowClass, const std::string& button) {
    HWND window = ui::WaitForWindow(program.ProcessId(), windowClass);
    EXPECT_TRUE(ui::WaitUntil([&] { return ui::FindChild(window, "Button", button) != nullptr; }, 60000))
        << windowClass << " " << button;
    ui::Press(window, button);
}

void AnswerYes(const ProgramUnderTest& program) { ui::Answer(ui::WaitForMessageBox(program.ProcessId()), IDYES); }

void Install(const std::string& setupExe, const std::string& media, const std::string& installFolder) {
    ProgramUnderTest setup(setupExe, "", media);
    PressWhenShown(setup, "TMainForm", "&Continue");
    ui::SetText(ui::FindChild(ui::WaitForWindow(setup.ProcessId(), "TInstallForm"), "Edit"), installFolder);
    PressWhenShown(setup, "TInstallForm", "&Install");
    AnswerYes(setup);  // the folder does not exist yet: make it
    PressWhenShown(setup, "TProgressForm", "OK");
    EXPECT_TRUE(setup.WaitForExit(20000));
}

void Uninstall(const std::string& setupExe, const std::string& media, const std::string& log) {
    ProgramUnderTest uninstall(setupExe, log, media);
    PressWhenShown(uninstall, "TMainForm", "U&ninstall");
    AnswerYes(uninstall);
    PressWhenShown(uninstall, "TUninstallForm", "OK");
    EXPECT_TRUE(uninstall.WaitForExit(20000));
}

}  // namespace

// setup.exe started from a folder holding DLLs named like system ones, as a downloads folder
// may: neither it nor the system DLLs it uses load one, and the run works all the same. The
// same folder shows that a program loading lz32.dll the ordinary way takes the planted copy.
TEST(PlantedDlls, NoneIsLoadedByAWholeInstallAndUninstallThoughAnOrdinaryLoadTakesOne) {
    const std::string tag = "SetupPlanted" + std::to_string(GetCurrentProcessId());
    const SetupMedia media(
        "[Package]\nname=" + tag + "\n[Licence]\nlicence=none\n[InstallFolder]\ninstall=c:\\" + tag +
            "\n[Disks]\nn=1\n[ProgramFiles01]\nfile1=%%INSTALLPATH%%\\readme.txt\n[Group]\ngroup=" + tag +
            "\n[Icons]\ntarget1=[ProgramFiles01]file1\ntitle1=Read Me\n[StartButton]\ntarget1=[ProgramFiles01]file1\n"
            "title1=" + tag + " Read Me\n[Desktop]\ntarget1=[ProgramFiles01]file1\ntitle1=" + tag + "\n",
        "", {{{"readme.txt", "The readme of the package, longer than sixteen bytes.\n"}}});
    ASSERT_EQ(media.Error(), "");
    const PlantedDlls planted(media.First(), {"setup.exe", "ordinary-loader.exe"});
    const std::string setupExe = media.First() + "\\setup.exe";
    TempFolder target;
    const std::string installFolder = target / "App";
    const std::string log = installFolder + "\\uninstal.ini";

    Install(setupExe, media.First(), installFolder);
    EXPECT_EQ(ReadTextFile(installFolder + "\\readme.txt"), "The readme of the package, longer than sixteen bytes.\n");
    EXPECT_EQ(LoggedShortcutsPresent(log), 3) << "group, Start menu and desktop";
    EXPECT_EQ(planted.Loaded(), std::vector<std::string>{}) << "after the install";

    Uninstall(setupExe, media.First(), log);
    EXPECT_FALSE(FolderExists(installFolder));
    EXPECT_EQ(planted.Loaded(), std::vector<std::string>{}) << "after the uninstall";
    DeleteFileA((WindowsFolder() + "\\qupsetup.exe").c_str());

    // A small program that loads lz32.dll by its bare name passes the planted copy over once it
    // has narrowed the search as setup.exe does, and takes it otherwise.
    const std::string loader = media.First() + "\\ordinary-loader.exe";
    ASSERT_TRUE(CopyFileA(WinePath(ORDINARY_LOADER_UNIX_PATH).c_str(), loader.c_str(), FALSE));
    for (const std::string mode : {"narrowed", ""}) {
        ProgramUnderTest ordinary(loader, mode, media.First());
        ASSERT_TRUE(ordinary.WaitForExit(20000));
        EXPECT_EQ(planted.Loaded(), mode.empty() ? std::vector<std::string>{"lz32"} : std::vector<std::string>{})
            << mode;
    }
}
