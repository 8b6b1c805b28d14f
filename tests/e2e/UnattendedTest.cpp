#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

#include "app/StartupEnvironment.h"
#include "e2e/QuietRun.h"
#include "e2e/SetupMedia.h"
#include "e2e/UiDriver.h"
#include "support/LoggedKeys.h"
#include "support/HeldOpenFile.h"
#include "support/SimulatedRestart.h"
#include "support/TestFiles.h"
#include "support/UnixTools.h"

namespace {

constexpr DWORD Success = 0;
constexpr DWORD RestartNeeded = 3010;
constexpr DWORD Failed = 1603;

// The names in a folder.
std::vector<std::string> FolderContent(const std::string& folder) {
    std::vector<std::string> names;
    WIN32_FIND_DATAA data;
    HANDLE find = FindFirstFileA((folder + "\\*").c_str(), &data);
    if (find == INVALID_HANDLE_VALUE) return names;
    do {
        if (std::string(data.cFileName) != "." && std::string(data.cFileName) != "..") names.push_back(data.cFileName);
    } while (FindNextFileA(find, &data));
    FindClose(find);
    return names;
}

std::string UninstallEntryKey(const std::string& package) {
    return "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\" + package;
}

std::string MachineText(const std::string& key, const std::string& name) {
    char value[1024] = {};
    DWORD size = sizeof value;
    if (RegGetValueA(HKEY_LOCAL_MACHINE, key.c_str(), name.c_str(), RRF_RT_REG_SZ, nullptr, value, &size) !=
        ERROR_SUCCESS)
        return {};
    return value;
}

}  // namespace

TEST(Unattended, InstallsTheSamplePackageAndUninstallsItWithoutAWindow) {
    const SetupMedia media(std::string(SETUP_SOURCE_UNIX_DIR) + "/examples/notes");
    ASSERT_EQ(media.Error(), "");
    media.InsertDisk(2);
    TempFolder target;
    const std::string folder = target / "Example Notes with blanks";
    const SetupLogTail install;
    EXPECT_EQ(RunQuietly("/S /D=" + folder, media.First()), Success);
    EXPECT_TRUE(FileExists(folder + "\\Samples\\second.txt"));
    const std::string log = folder + "\\uninstal.ini";
    ASSERT_TRUE(FileExists(log));
    const std::string told = install.Text();
    EXPECT_NE(told.find("Unattended run: /S /D=" + folder), std::string::npos) << told;
    EXPECT_NE(told.find("Folder Does Not Exist: Folder " + folder + " does not exist. Do you wish to create it ? - Yes"),
              std::string::npos) << told;
    EXPECT_NE(told.find("Example Notes Successfully Installed"), std::string::npos) << told;
    EXPECT_NE(told.find("Exit code 0"), std::string::npos) << told;

    const SetupLogTail uninstall;
    EXPECT_EQ(RunQuietly("/S " + log, media.First()), Success);
    EXPECT_FALSE(FolderExists(folder));
    EXPECT_NE(uninstall.Text().find("Example Notes Successfully Uninstalled"), std::string::npos) << uninstall.Text();
    char windows[MAX_PATH] = {};
    GetWindowsDirectoryA(windows, MAX_PATH);
    DeleteFileA((std::string(windows) + "\\qupsetup.exe").c_str());
}

TEST(Unattended, FailuresEndWithTheFailureCodeAndSayWhyInTheLog) {
    const SetupMedia media("[Package]\nname=Quiet Failures\n[Licence]\nlicence=none\n[InstallFolder]\ninstall=%%PROGPATH%%\\Quiet Failures\n"
                           "[Disks]\nn=2\n[ProgramFiles01]\nfile1=%%INSTALLPATH%%\\one.txt\n"
                           "[ProgramFiles02]\nfile1=%%INSTALLPATH%%\\two.txt\n",
                           "", {{{"one.txt", "the file of the first disk"}}, {{"two.txt", "the file of the second disk"}}});
    ASSERT_EQ(media.Error(), "");
    TempFolder target;
    struct Case {
        std::string arguments;
        std::string folder;
        std::string told;
    };
    TempFolder empty;
    const Case cases[] = {
        {"/S /D=" + (target / "Missing Disk"), media.First(), "Insert Next Disk: If you wish to continue, please insert Disk 2"},
        {"/S /D=", media.First(), "Install: No install folder given after /D="},
        {"/S", empty.Path(), "Fatal Error: install.ini not found or invalid"},
        {"/S " + (empty / "uninstal.ini"), empty.Path(), "Fatal Error: uninstal.ini not found or invalid"},
    };
    for (const Case& each : cases) {
        const SetupLogTail tail;
        EXPECT_EQ(RunQuietly(each.arguments, each.folder), Failed) << each.arguments;
        EXPECT_NE(tail.Text().find(each.told), std::string::npos) << tail.Text();
        EXPECT_NE(tail.Text().find("Exit code 1603"), std::string::npos) << tail.Text();
    }
    EXPECT_FALSE(FolderExists(target / "Missing Disk")) << "what the first disk installed is removed again";
}

// Read-only stands in for a running program's file, which Windows will not delete but lets move:
// it leaves its place at once and goes at the restart from the run's own folder.
TEST(Unattended, AFileThatMustWaitForTheRestartEndsWithTheRestartCode) {
    TempFolder app;
    WriteTextFile(app / "busy.txt", "a file a running program holds open");
    WriteTextFile(app / "uninstal.ini", "[Package]\nname=Quiet Restart\n[ProgramFiles]\nfile1=" + (app / "busy.txt") + "\n");
    ASSERT_TRUE(RecordAsInstalled(app / "uninstal.ini"));
    ASSERT_TRUE(SetFileAttributesA((app / "busy.txt").c_str(), FILE_ATTRIBUTE_READONLY));
    const SimulatedRestart restart;
    EXPECT_EQ(RunQuietly("/S " + (app / "uninstal.ini"), app.Path()), RestartNeeded);
    EXPECT_FALSE(FileExists(app / "busy.txt"));
    EXPECT_FALSE(restart.IsScheduled(app / "busy.txt")) << "never by the path a link could redirect";
}

// A file that a program holds so that it can be neither deleted nor moved stays, and the
// uninstall says so and fails: a restart would not remove it.
TEST(Unattended, AFileThatCanBeNeitherDeletedNorMovedIsReportedAndFails) {
    TempFolder app;
    WriteTextFile(app / "held.txt", "a file a program holds");
    WriteTextFile(app / "uninstal.ini", "[Package]\nname=Quiet Hold\n[ProgramFiles]\nfile1=" + (app / "held.txt") + "\n");
    ASSERT_TRUE(RecordAsInstalled(app / "uninstal.ini"));
    const SimulatedRestart restart;
    const SetupLogTail told;
    {
        const HeldOpenFile held(app / "held.txt");
        ASSERT_TRUE(held.IsOpen());
        EXPECT_EQ(RunQuietly("/S " + (app / "uninstal.ini"), app.Path()), Failed);
    }
    EXPECT_TRUE(FileExists(app / "held.txt"));
    EXPECT_FALSE(restart.IsScheduled(app / "held.txt"));
    EXPECT_NE(told.Text().find("in use"), std::string::npos) << told.Text();
}

TEST(Unattended, TheEntryInTheListOfInstalledProgramsUninstallsThePackage) {
    const std::string package = "Listed Package " + std::to_string(GetCurrentProcessId());
    const SetupMedia media("[Package]\nname=" + package + "\nuninstallentry=yes\n[Licence]\nlicence=none\n[Disks]\nn=1\n"
                           "[ProgramFiles01]\nfile1=%%INSTALLPATH%%\\listed.txt\n",
                           "", {{{"listed.txt", std::string(5000, 'l')}}});
    ASSERT_EQ(media.Error(), "");
    TempFolder target;
    const std::string folder = target / "Listed";
    ASSERT_EQ(RunQuietly("/S /D=" + folder, media.First()), Success);

    const std::string key = UninstallEntryKey(package);
    const UnixCommandResult query = RunUnixScript("wine reg query " + ShellQuoted("HKLM\\" + key) + "\n");
    ASSERT_EQ(query.exitCode, 0) << query.output;
    for (const char* name : {"DisplayName", "UninstallString", "QuietUninstallString", "InstallLocation",
                             "EstimatedSize", "NoModify", "NoRepair"})
        EXPECT_NE(query.output.find(name), std::string::npos) << name << " in " << query.output;
    EXPECT_EQ(MachineText(key, "DisplayName"), package);
    EXPECT_EQ(MachineText(key, "InstallLocation"), folder);
    const std::string uninstallString = MachineText(key, "UninstallString");
    EXPECT_EQ(MachineText(key, "QuietUninstallString"),
              uninstallString.substr(0, uninstallString.find("\" ") + 2) + "/S " + folder + "\\uninstal.ini");
    DWORD size = 0, bytes = sizeof size;
    RegGetValueA(HKEY_LOCAL_MACHINE, key.c_str(), "EstimatedSize", RRF_RT_REG_DWORD, nullptr, &size, &bytes);
    EXPECT_EQ(size, 5u) << "5000 bytes take 5 KB";

    // The platform starts the entry's command line as it stands.
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION started{};
    std::string commandLine = uninstallString;
    ASSERT_TRUE(CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                               &started));
    HWND main = ui::WaitForWindow(started.dwProcessId, "TMainForm");
    ASSERT_NE(main, nullptr);
    EXPECT_TRUE(ui::WaitUntil([&] { return ui::FindChild(main, "Button", "U&ninstall") != nullptr; }));
    ASSERT_TRUE(ui::Press(main, "U&ninstall"));
    ui::Answer(ui::WaitForMessageBox(started.dwProcessId), IDYES);
    HWND progress = ui::WaitForWindow(started.dwProcessId, "TUninstallForm");
    ASSERT_NE(progress, nullptr);
    EXPECT_TRUE(ui::WaitUntil([&] { return ui::FindChild(progress, "Button", "OK") != nullptr; }));
    ui::Press(progress, "OK");
    EXPECT_EQ(WaitForSingleObject(started.hProcess, 20000), WAIT_OBJECT_0);
    CloseHandle(started.hThread);
    CloseHandle(started.hProcess);

    EXPECT_FALSE(FolderExists(folder));
    HKEY entry = nullptr;
    EXPECT_NE(RegOpenKeyExA(HKEY_LOCAL_MACHINE, key.c_str(), 0, KEY_READ, &entry), ERROR_SUCCESS);
}

TEST(Unattended, LeavesNothingInTempAfterAnInstallAFailedOneAndAnUninstall) {
    const SetupMedia media("[Package]\nname=Clean Temp\n[Licence]\nlicence=none\n[Disks]\nn=1\n[ProgramFiles01]\n"
                           "file1=%%INSTALLPATH%%\\kept.txt\nfile2=%%INSTALLPATH%%\\missing.txt\n",
                           "", {{{"kept.txt", "a file that arrives in the install folder"}, {"missing.txt", "comes later"}}});
    ASSERT_EQ(media.Error(), "");
    TempFolder target;
    TempFolder temp;
    EnvironmentGuard tmp("TMP");
    tmp.Set(temp.Path());
    EnvironmentGuard tempVariable("TEMP");
    tempVariable.Set(temp.Path());
    const std::vector<std::string> nothing;
    // Elevated, as every run under wine is, the runs work and log in the Windows folder's Temp,
    // where earlier tests' killed runs may have left folders that no run here may remove (wine
    // shows them as this account's, not the administrators').
    char windows[MAX_PATH];
    GetWindowsDirectoryA(windows, MAX_PATH);
    const std::string windowsTemp = std::string(windows) + "\\Temp";
    WriteTextFile(windowsTemp + "\\setup.log", "");
    const std::vector<std::string> before = FolderContent(windowsTemp);

    const std::string missing = media.First() + "\\missing.tx_";
    const std::string arriving = ReadTextFile(missing);
    ASSERT_TRUE(DeleteFileA(missing.c_str()));
    EXPECT_EQ(RunQuietly("/S /D=" + (target / "Failed"), media.First()), Failed) << "missing.txt is not on the media";
    EXPECT_EQ(FolderContent(temp.Path()), nothing);
    WriteTextFile(missing, arriving);
    EXPECT_EQ(RunQuietly("/S /D=" + (target / "Done"), media.First()), Success);
    EXPECT_EQ(FolderContent(temp.Path()), nothing);
    EXPECT_EQ(RunQuietly("/S " + (target / "Done\\uninstal.ini"), media.First()), Success);
    EXPECT_EQ(FolderContent(temp.Path()), nothing);
    EXPECT_FALSE(FolderExists(target / "Done"));
    EXPECT_EQ(FolderContent(windowsTemp), before);
}
