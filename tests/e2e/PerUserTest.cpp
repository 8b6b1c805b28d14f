#include <gtest/gtest.h>

#include <windows.h>

#include <map>
#include <string>

#include "app/StartupEnvironment.h"
#include "e2e/QuietRun.h"
#include "e2e/DesktopMoved.h"
#include "e2e/SetupMedia.h"
#include "e2e/UiDriver.h"
#include "state/SetupState.h"
#include "support/LoggedKeys.h"
#include "support/TestFiles.h"
#include "support/UnixTools.h"

namespace {

constexpr DWORD Refused = 1223;

std::string Script(const std::string& name, const std::string& scope, const std::string& install) {
    return "[Package]\nname=" + name + "\nscope=" + scope + "\nuninstallentry=yes\n[Licence]\nlicence=none\n" +
           "[InstallFolder]\ninstall=" + install + "\n[Disks]\nn=1\n[ProgramFiles01]\nfile1=%%INSTALLPATH%%\\app.txt\n";
}

std::string UserShellFolder(const char* name) {
    char path[MAX_PATH] = {};
    DWORD size = sizeof path;
    RegGetValueA(HKEY_CURRENT_USER, "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders", name,
                 RRF_RT_REG_SZ, nullptr, path, &size);
    return path;
}

size_t FolderContent(const std::string& folder, const std::string& pattern) {
    WIN32_FIND_DATAA data;
    const HANDLE find = FindFirstFileA((folder + "\\" + pattern).c_str(), &data);
    if (find == INVALID_HANDLE_VALUE) return 0;
    size_t count = 0;
    do ++count; while (FindNextFileA(find, &data));
    FindClose(find);
    return count;
}

// Presses a window's button and answers the question that follows with Yes.
void PressAndSayYes(ProgramUnderTest& setup, HWND window, const char* button) {
    EXPECT_TRUE(ui::WaitUntil([&] { return ui::FindChild(window, "Button", button) != nullptr; }));
    ASSERT_TRUE(ui::Press(window, button));
    ui::Answer(ui::WaitForMessageBox(setup.ProcessId()), IDYES);
}

// Waits for the progress window of that class to end its run, presses OK and waits for the exit.
void FinishAt(ProgramUnderTest& setup, const char* progressClass) {
    HWND progress = ui::WaitForWindow(setup.ProcessId(), progressClass);
    ASSERT_NE(progress, nullptr);
    EXPECT_TRUE(ui::WaitUntil([&] { return ui::FindChild(progress, "Button", "OK") != nullptr; }, 60000));
    ui::Press(progress, "OK");
    EXPECT_TRUE(setup.WaitForExit(20000));
}

// An install as a person makes it: Continue, the proposed folder, Install, Yes to make it, OK.
void InstallThroughTheWindows(const std::string& media, const std::string& proposed) {
    ProgramUnderTest setup(media + "\\setup.exe", "", media);
    HWND main = ui::WaitForWindow(setup.ProcessId(), "TMainForm");
    ASSERT_NE(main, nullptr);
    EXPECT_TRUE(ui::WaitUntil([&] { return ui::FindChild(main, "Button", "&Continue") != nullptr; }));
    ASSERT_TRUE(ui::Press(main, "&Continue"));
    HWND destination = ui::WaitForWindow(setup.ProcessId(), "TInstallForm");
    ASSERT_NE(destination, nullptr);
    EXPECT_TRUE(ui::WaitUntil([&] { return ui::TextOf(ui::FindChild(destination, "Edit")) == proposed; }));
    PressAndSayYes(setup, destination, "&Install");
    FinishAt(setup, "TProgressForm");
}

// An uninstall as a person makes it: Uninstall, Yes, OK.
void UninstallThroughTheWindows(const std::string& media, const std::string& log) {
    ProgramUnderTest setup(media + "\\setup.exe", log, media);
    HWND main = ui::WaitForWindow(setup.ProcessId(), "TMainForm");
    ASSERT_NE(main, nullptr);
    PressAndSayYes(setup, main, "U&ninstall");
    FinishAt(setup, "TUninstallForm");
}

class ElevationAnswer {
public:
    explicit ElevationAnswer(const char* answer) { SetEnvironmentVariableA("SETUP_TEST_ELEVATION", answer); }
    ~ElevationAnswer() { SetEnvironmentVariableA("SETUP_TEST_ELEVATION", nullptr); }
};

// What the machine holds that a package for one user must not touch: the machine's part of the
// registry below Software, and every name in the Windows and Program Files folders.
std::string MachineState() {
    const TempFolder work;
    const std::string exported = ShellQuoted(UnixPathOf(work / "machine.reg"));
    return RunUnixScript("wine reg export 'HKLM\\Software' " + exported + " >/dev/null 2>&1; cat " + exported +
                         "; cd \"$WINEPREFIX/drive_c\" && find windows 'Program Files' -maxdepth 3 | sort\n")
        .output;
}

}  // namespace

// A package for the machine started without the administrators' rights starts itself again with
// them, makes nothing itself and ends as that run ends; refused, it says so and ends with 1223.
TEST(PerUser, AMachinePackageWithoutAdministratorRightsAsksForThemAndMakesNothingItself) {
    const std::string package = "Machine Wide " + std::to_string(GetCurrentProcessId());
    const SetupMedia media(Script(package, "machine", "%%PROGPATH%%\\x"), "", {{{"app.txt", "a machine-wide file"}}});
    ASSERT_EQ(media.Error(), "");
    MakeUnelevated(media);
    TempFolder target;
    {
        const ElevationAnswer refused("refuse");
        const SetupLogTail told(RunRights::Ordinary);
        EXPECT_EQ(RunQuietly("/S /D=" + (target / "Refused"), media.First()), Refused);
        EXPECT_NE(told.Text().find("Setup needs administrator rights to install " + package + "."), std::string::npos)
            << told.Text();
        EXPECT_FALSE(FolderExists(target / "Refused"));

        ProgramUnderTest windowed(media.First() + "\\setup.exe", "", media.First());
        const ui::Box box = ui::WaitForMessageBox(windowed.ProcessId());
        EXPECT_EQ(box.text, "Setup needs administrator rights to install " + package + ".");
        ui::Answer(box, IDOK);
        EXPECT_TRUE(windowed.WaitForExit(20000));
    }
    const ElevationAnswer accepted("accept");
    EXPECT_EQ(RunQuietly("/S /D=" + (target / "Accepted"), media.First()), 0u);
    EXPECT_EQ(ReadTextFile(target / "Accepted\\app.txt"), "a machine-wide file");
    // The failure of the elevated run is the run's result.
    DeleteFileA((media.First() + "\\app.tx_").c_str());
    EXPECT_EQ(RunQuietly("/S /D=" + (target / "Failing"), media.First()), 1603u);
    EXPECT_EQ(RunQuietly("/S " + (target / "Accepted\\uninstal.ini"), media.First()), 0u);
    EXPECT_FALSE(FolderExists(target / "Accepted"));
}

// A package for the user alone, run by an ordinary user (and by an administrator, as every wine
// run is), writes nothing the machine's other users share, and its uninstall leaves nothing of it.
TEST(PerUser, APackageForOneUserTouchesNothingMachineWideAndGoesWhole) {
    const std::string package = "Just Mine " + std::to_string(GetCurrentProcessId());
    std::string script = Script(package, "user", "%%USERPROGRAMS%%\\" + package);
    script += "[RegistryKeys]\nkey1=HKEY_CURRENT_USER\\Software\\" + package + "\nkey2=HKEY_CLASSES_ROOT\\." + package +
              "\n[KeyValues]\nn1=(Default)\nk1=key2\nd1=MineFile\nt1=string\n[Group]\ngroup=" + package +
              "\n[Icons]\nr1=[ProgramFiles01]file1\nn1=App\n[StartButton]\nr1=[ProgramFiles01]file1\nn1=" + package +
              "\n[Desktop]\nr1=[ProgramFiles01]file1\nn1=" + package + "\n";
    const SetupMedia media(script, "", {{{"app.txt", "a file of one user"}}});
    ASSERT_EQ(media.Error(), "");
    const std::string folder = UserShellFolder("Local AppData") + "\\Programs\\" + package;
    const TempFolder desktop;
    const DesktopMoved moved(desktop.Path());
    const std::string before = MachineState();

    for (const bool unelevated : {false, true}) {
        SCOPED_TRACE(unelevated ? "an ordinary user" : "an administrator");
        if (unelevated) MakeUnelevated(media);
        const ElevationAnswer refused("refuse");  // the run must not ask for elevation at all
        // The administrator installs unattended, the ordinary user through the windows.
        if (unelevated)
            InstallThroughTheWindows(media.First(), folder);
        else
            ASSERT_EQ(RunQuietly("/S", media.First()), 0u);
        EXPECT_EQ(ReadTextFile(folder + "\\app.txt"), "a file of one user");
        EXPECT_TRUE(FileExists(UserShellFolder("Programs") + "\\" + package + "\\App.lnk"));
        EXPECT_TRUE(FileExists(UserShellFolder("Start Menu") + "\\" + package + ".lnk"));
        EXPECT_TRUE(FileExists(UserShellFolder("Desktop") + "\\" + package + ".lnk"));
        HKEY key = nullptr;
        EXPECT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, ("Software\\Classes\\." + package).c_str(), 0, KEY_READ, &key),
                  ERROR_SUCCESS);
        RegCloseKey(key);
        EXPECT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER,
                                ("Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\" + package).c_str(), 0,
                                KEY_READ, &key),
                  ERROR_SUCCESS);
        RegCloseKey(key);
        EXPECT_EQ(MachineState(), before) << "nothing machine-wide was written";

        // The administrator uninstalls unattended through the entry's own command, the ordinary user
        // through the windows of the program on the media.
        const std::string program = UserShellFolder("Local AppData") + "\\qupsetup\\qupsetup.exe";
        const SetupLogTail told;
        if (unelevated)
            UninstallThroughTheWindows(media.First(), folder + "\\uninstal.ini");
        else
            ASSERT_EQ(RunQuietly("/S " + folder + "\\uninstal.ini", media.First(), program), 0u) << told.Text();
        EXPECT_TRUE(ui::WaitUntil([&] { return !FolderExists(UserShellFolder("Local AppData") + "\\qupsetup"); }))
            << "the uninstall program goes with the user's last package";
        char temp[MAX_PATH] = {};
        GetTempPathA(MAX_PATH, temp);
        EXPECT_TRUE(ui::WaitUntil([&] { return FolderContent(temp, "qupsetup-remove-*") == 0; }))
            << "nor does the copy that removed it stay";
        EXPECT_FALSE(FolderExists(folder));
        EXPECT_FALSE(FileExists(UserShellFolder("Desktop") + "\\" + package + ".lnk"));
        EXPECT_FALSE(FolderExists(UserShellFolder("Programs") + "\\" + package));
        EXPECT_NE(RegOpenKeyExA(HKEY_CURRENT_USER, ("Software\\Classes\\." + package).c_str(), 0, KEY_READ, &key),
                  ERROR_SUCCESS);
        EXPECT_EQ(MachineState(), before);
    }
}

// A package for the user alone may make nothing outside that person's profile and shell folders,
// and no key outside the person's part of the registry: an allow-list, so the shared folders, an
// administrative share, a stream of a machine folder and any ".." out of the profile are refused
// as much as the Windows folder, before anything is made, however the run was started.
TEST(PerUser, APackageForOneUserNamingAnythingOutsideThatPersonsFoldersIsRefusedBeforeAnythingIsMade) {
    TempFolder target;
    const std::string over = target / "Over";
    // From the install folder up to the drive: Over, the test's folder, Temp, the user, users.
    const std::string outOfProfile = "%%INSTALLPATH%%\\..\\..\\..\\..\\..\\";
    const std::string base = "[Package]\nname=Overreaching\nscope=user\n[Licence]\nlicence=none\n[Disks]\nn=1\n";
    const std::string file = "[ProgramFiles01]\nfile1=%%INSTALLPATH%%\\app.txt\n";
    const struct {
        std::string script;
        std::string named;
        std::string folder = "Over";
    } cases[] = {
        {file + "[RegistryKeys]\nkey1=HKEY_LOCAL_MACHINE\\Software\\Overreaching\n",
         "HKEY_LOCAL_MACHINE\\Software\\Overreaching"},
        {file + "[OtherFolders]\nf1=C:\\windows\\Overreaching\n", "C:\\windows\\Overreaching"},
        {file + "[OtherFolders]\nf1=C:\\ProgramData\\Overreaching\n", "C:\\ProgramData\\Overreaching"},
        {file + "[OtherFolders]\nf1=C:\\users\\Public\\Overreaching\n", "C:\\users\\Public\\Overreaching"},
        {file + "[OtherFolders]\nf1=\\\\localhost\\C$\\Overreaching\n", "\\\\localhost\\C$\\Overreaching"},
        {file + "file2=" + outOfProfile + "windows\\system32\\over.dll\n", outOfProfile + "windows\\system32\\over.dll"},
        {file + "file2=C:\\ProgramData:over.txt\n", "C:\\ProgramData:over.txt"},
        {"[InstallFolder]\ninstall=%%USERPROGRAMS%%\\Over\nsub=..\\..\\..\\..\\..\\ProgramData\\Over\n" + file,
         over + "\\..\\..\\..\\..\\..\\ProgramData\\Over"},
        {file, "C:\\ProgramData\\Over", "C:\\ProgramData\\Over"},
    };
    for (const auto& each : cases) {
        SCOPED_TRACE(each.named);
        const SetupMedia media(base + file, "", {{{"app.txt", "a file that must not arrive"}}});
        ASSERT_EQ(media.Error(), "");
        // Written past the checker, which refuses such a script.
        WriteTextFile(media.First() + "\\install.ini", base + each.script);
        const std::string folder = each.folder == "Over" ? over : each.folder;
        const SetupLogTail told;
        EXPECT_EQ(RunQuietly("/S /D=" + folder, media.First()), 1603u);
        EXPECT_NE(told.Text().find(each.named + " needs administrator rights"), std::string::npos) << told.Text();
        EXPECT_FALSE(FolderExists(folder));
        EXPECT_FALSE(FolderExists("C:\\ProgramData\\Overreaching") || FolderExists("C:\\ProgramData\\Over"));
    }
}

// Folders are made by their paths: one made through a link the person's programs put on the way
// ends where the link points. Made outside the person's folders, it goes again, and the run fails.
TEST(PerUser, AFolderMadeThroughALinkOutOfThePersonsFoldersIsRemovedAndRefused) {
    TempFolder target;
    char windows[MAX_PATH] = {};
    GetWindowsDirectoryA(windows, MAX_PATH);
    const std::string outside = std::string(windows) + "\\Temp\\outside-" + std::to_string(GetCurrentProcessId());
    ASSERT_TRUE(CreateDirectoryA(outside.c_str(), nullptr));
    ASSERT_TRUE(MakeLink(target / "Linked", outside));
    const std::string script = "[Package]\nname=Through A Link\nscope=user\n[Licence]\nlicence=none\n[Disks]\nn=1\n"
                               "[OtherFolders]\nf1=" + (target / "Linked\\Made") + "\n[ProgramFiles01]\n"
                               "file1=%%INSTALLPATH%%\\app.txt\n";
    const SetupMedia media(script, "", {{{"app.txt", "a file of one user"}}});
    ASSERT_EQ(media.Error(), "");
    const SetupLogTail told;
    EXPECT_EQ(RunQuietly("/S /D=" + (target / "App"), media.First()), 1603u);
    EXPECT_NE(told.Text().find(target / "Linked\\Made needs administrator rights"), std::string::npos) << told.Text();
    EXPECT_FALSE(FolderExists(outside + "\\Made"));
    EXPECT_FALSE(FolderExists(target / "App")) << "the failed install is undone";
    RunUnixScript("rm " + ShellQuoted(UnixPathOf(target / "Linked")) + "\n");
    RemoveDirectoryA(outside.c_str());
}

// A person who is an administrator may start a package of their own elevated: the run then keeps
// nothing in that person's Temp, which the person's ordinary programs can change while it works.
TEST(PerUser, AnElevatedRunOfAPackageForOneUserKeepsNothingInThatPersonsTemp) {
    const std::string package = "Elevated Mine " + std::to_string(GetCurrentProcessId());
    const SetupMedia media(Script(package, "user", "%%USERPROGRAMS%%\\" + package), "", {{{"app.txt", "one user's"}}});
    ASSERT_EQ(media.Error(), "");
    TempFolder temp;
    EnvironmentGuard tmp("TMP"), tempVariable("TEMP");
    tmp.Set(temp.Path());
    tempVariable.Set(temp.Path());
    const std::string folder = UserShellFolder("Local AppData") + "\\Programs\\" + package;
    // Wine runs every program elevated: the shipped program is the elevated run.
    ASSERT_EQ(RunQuietly("/S", media.First()), 0u) << SetupLogTail().Text();
    EXPECT_EQ(ReadTextFile(folder + "\\app.txt"), "one user's");
    EXPECT_EQ(FolderContent(temp.Path(), "setup*"), 0u) << "no working folder, no log";
    const std::string program = UserShellFolder("Local AppData") + "\\qupsetup\\qupsetup.exe";
    ASSERT_EQ(RunQuietly("/S " + folder + "\\uninstal.ini", media.First(), program), 0u);
    EXPECT_FALSE(FolderExists(folder));
    EXPECT_TRUE(ui::WaitUntil([&] { return !FolderExists(UserShellFolder("Local AppData") + "\\qupsetup"); }));
    EXPECT_EQ(FolderContent(temp.Path(), "*setup*"), 0u) << "nor the copy that removes the uninstall program";
}

// Whoever writes the user's folders and keys can make a log of a per-user package and its record:
// such a log is carried out only where that user may act anyway.
TEST(PerUser, ALogOfAPackageForOneUserThatNamesTheMachinesFoldersIsNotCarriedOut) {
    TempFolder app;
    char windows[MAX_PATH] = {};
    GetWindowsDirectoryA(windows, MAX_PATH);
    const std::string victim = std::string(windows) + "\\win.ini";
    WriteTextFile(app / "uninstal.ini", "[Package]\nname=Forged\nscope=user\n[ProgramFiles]\nfile1=" + victim + "\n");
    ::Setup.UserScope = true;  // recorded where a run for one user looks
    ASSERT_TRUE(RecordAsInstalled(app / "uninstal.ini"));
    ::Setup.UserScope = false;
    const SetupLogTail told;
    EXPECT_EQ(RunQuietly("/S " + (app / "uninstal.ini"), app.Path()), 1603u);
    EXPECT_NE(told.Text().find(victim + " needs administrator rights"), std::string::npos) << told.Text();
    EXPECT_TRUE(FileExists(victim));
}

// A one-file setup of a package for one user knows its scope before it starts: run by an ordinary
// user, it installs and uninstalls without asking for elevation.
TEST(PerUser, AOneFileSetupOfAPackageForOneUserAsksForNoElevation) {
    const std::string package = "One File Mine " + std::to_string(GetCurrentProcessId());
    const SetupMedia media(Script(package, "user", "%%USERPROGRAMS%%\\" + package), "", {{{"app.txt", "one user's"}}});
    ASSERT_EQ(media.Error(), "");
    const std::string oneFile = media.MakeOneFile("mine-setup.exe", SETUP_UNELEVATED_UNIX_PATH);
    ASSERT_NE(oneFile, "");
    const std::string started = oneFile.substr(0, oneFile.find_last_of('\\'));
    const std::string folder = UserShellFolder("Local AppData") + "\\Programs\\" + package;
    const ElevationAnswer refused("refuse");
    ASSERT_EQ(RunQuietly("/S", started, oneFile), 0u);
    EXPECT_EQ(ReadTextFile(folder + "\\app.txt"), "one user's");
    EXPECT_EQ(RunQuietly("/S " + folder + "\\uninstal.ini", started, oneFile), 0u);
    EXPECT_FALSE(FolderExists(folder));
}

// One package for the machine and for one user side by side: each uninstall removes its own alone.
TEST(PerUser, BothScopesOfOnePackageLieApartAndEachUninstallRemovesOnlyItsOwn) {
    const std::string package = "Both Ways " + std::to_string(GetCurrentProcessId());
    const SetupMedia machine(Script(package, "machine", "%%PROGPATH%%\\x"), "", {{{"app.txt", "everyone's"}}});
    const SetupMedia user(Script(package, "user", "%%USERPROGRAMS%%\\" + package), "", {{{"app.txt", "one user's"}}});
    ASSERT_EQ(machine.Error(), "");
    ASSERT_EQ(user.Error(), "");
    TempFolder target;
    const std::string machineFolder = target / "Everyone";
    const std::string userFolder = UserShellFolder("Local AppData") + "\\Programs\\" + package;
    ASSERT_EQ(RunQuietly("/S /D=" + machineFolder, machine.First()), 0u);
    ASSERT_EQ(RunQuietly("/S", user.First()), 0u);
    const std::string entry = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\" + package;
    const auto entryIn = [&](HKEY root) {
        HKEY key = nullptr;
        const bool there = RegOpenKeyExA(root, entry.c_str(), 0, KEY_READ, &key) == ERROR_SUCCESS;
        RegCloseKey(key);
        return there;
    };
    EXPECT_TRUE(entryIn(HKEY_LOCAL_MACHINE) && entryIn(HKEY_CURRENT_USER));

    ASSERT_EQ(RunQuietly("/S " + userFolder + "\\uninstal.ini", user.First()), 0u);
    EXPECT_FALSE(FolderExists(userFolder));
    EXPECT_FALSE(entryIn(HKEY_CURRENT_USER));
    EXPECT_EQ(ReadTextFile(machineFolder + "\\app.txt"), "everyone's");
    EXPECT_TRUE(entryIn(HKEY_LOCAL_MACHINE));
    ASSERT_EQ(RunQuietly("/S " + machineFolder + "\\uninstal.ini", machine.First()), 0u);
    EXPECT_FALSE(FolderExists(machineFolder));
    EXPECT_FALSE(entryIn(HKEY_LOCAL_MACHINE));
}
