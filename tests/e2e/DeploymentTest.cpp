#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

#include "app/StartupEnvironment.h"
#include "e2e/QuietRun.h"
#include "e2e/SetupMedia.h"
#include "e2e/UiDriver.h"
#include "support/LoggedKeys.h"
#include "support/SimulatedRestart.h"
#include "support/TestFiles.h"
#include "support/UnixTools.h"

namespace {

const std::string ProgramsList = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\";

// A value of a key as `reg query` shows it ("REG_SZ    2.4.1", "REG_DWORD    0x2"); empty when missing.
std::string Queried(const std::string& key, const std::string& name) {
    const UnixCommandResult query =
        RunUnixScript("wine reg query " + ShellQuoted("HKLM\\" + key) + " /v " + ShellQuoted(name) + "\n");
    const size_t at = query.output.find("    " + name + "    ");
    if (query.exitCode != 0 || at == std::string::npos) return {};
    const size_t start = at + name.size() + 8;
    return query.output.substr(start, query.output.find_first_of("\r\n", start) - start);
}

// Starts a command line as the platform starts an entry's, from the System folder; its exit code.
DWORD RunAsThePlatformDoes(std::string commandLine) {
    char system[MAX_PATH] = {};
    GetSystemDirectoryA(system, MAX_PATH);
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION started{};
    if (!CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, system, &startup, &started))
        return STILL_ACTIVE;
    DWORD code = STILL_ACTIVE;
    if (WaitForSingleObject(started.hProcess, 60000) == WAIT_OBJECT_0) GetExitCodeProcess(started.hProcess, &code);
    CloseHandle(started.hThread);
    CloseHandle(started.hProcess);
    return code;
}

std::string Today() {
    SYSTEMTIME now;
    GetLocalTime(&now);
    char text[16];
    wsprintfA(text, "%04u%02u%02u", now.wYear, now.wMonth, now.wDay);
    return text;
}

std::string ListedScript(const std::string& package) {
    return "[Package]\nname=" + package + "\nuninstallentry=yes\nversion=2.4.1\npublisher=Example Maker\n"
           "[Licence]\nlicence=none\n[Disks]\nn=1\n[ProgramFiles01]\nfile1=%%INSTALLPATH%%\\listed.exe\n"
           "[Desktop]\n1=[ProgramFiles01]file1\n2=Listed " + package + "\n";
}

}  // namespace

TEST(Deployment, TheEntryFollowsTheNewestInstallAndEachUninstallRemovesOnlyItsOwn) {
    const std::string package = "Deployed " + std::to_string(GetCurrentProcessId());
    const SetupMedia media(ListedScript(package), "", {{{"listed.exe", std::string(5000, 'l')}}});
    ASSERT_EQ(media.Error(), "");
    TempFolder target;
    const std::string first = target / "First", second = target / "Second";
    const std::string key = ProgramsList + package;
    ASSERT_EQ(RunQuietly("\"/s\" \"/D=" + first + " \"", media.First()), 0u);
    EXPECT_EQ(Queried(key, "DisplayName"), "REG_SZ    " + package);
    EXPECT_EQ(Queried(key, "DisplayVersion"), "REG_SZ    2.4.1");
    EXPECT_EQ(Queried(key, "VersionMajor"), "REG_DWORD    0x2");
    EXPECT_EQ(Queried(key, "VersionMinor"), "REG_DWORD    0x4");
    EXPECT_EQ(Queried(key, "Publisher"), "REG_SZ    Example Maker");
    EXPECT_EQ(Queried(key, "DisplayIcon"), "REG_SZ    " + first + "\\listed.exe");
    EXPECT_EQ(Queried(key, "InstallLocation"), "REG_SZ    " + first);
    EXPECT_EQ(Queried(key, "InstallDate"), "REG_SZ    " + Today());

    ASSERT_EQ(RunQuietly("/S /D=" + second, media.First()), 0u);
    EXPECT_EQ(Queried(key, "InstallLocation"), "REG_SZ    " + second);
    EXPECT_EQ(RunQuietly("/S " + first + "\\uninstal.ini", media.First()), 0u);
    EXPECT_FALSE(FolderExists(first));
    EXPECT_EQ(Queried(key, "InstallLocation"), "REG_SZ    " + second) << "the entry of the install that remains";

    const std::string quiet = Queried(key, "QuietUninstallString");
    ASSERT_EQ(quiet.substr(0, 10), "REG_SZ    ");
    EXPECT_EQ(RunAsThePlatformDoes(quiet.substr(10)), 0u);
    EXPECT_FALSE(FolderExists(second));
    EXPECT_EQ(Queried(key, "DisplayName"), "") << "the entry is gone";
}

TEST(Deployment, AnotherProductsEntryIsNeverChangedAndNoEntryPointsAtAMissingProgram) {
    const std::string package = "Taken " + std::to_string(GetCurrentProcessId());
    const std::string key = ProgramsList + package;
    HKEY other = nullptr;
    ASSERT_EQ(RegCreateKeyExA(HKEY_LOCAL_MACHINE, key.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &other, nullptr),
              ERROR_SUCCESS);
    const std::string command = "C:\\Other\\uninstall.exe";
    RegSetValueExA(other, "UninstallString", 0, REG_SZ, reinterpret_cast<const BYTE*>(command.c_str()),
                   static_cast<DWORD>(command.size() + 1));
    RegCloseKey(other);
    const SetupMedia media(ListedScript(package), "", {{{"listed.exe", "the listed program file"}}});
    ASSERT_EQ(media.Error(), "");
    TempFolder target;
    const SetupLogTail told;
    EXPECT_EQ(RunQuietly("/S /D=" + (target / "App"), media.First()), 0u);
    EXPECT_NE(told.Text().find("holds an entry " + package + " of another program"), std::string::npos) << told.Text();
    EXPECT_EQ(RunQuietly("/S " + (target / "App\\uninstal.ini"), media.First()), 0u);
    EXPECT_EQ(Queried(key, "UninstallString"), "REG_SZ    " + command);
    EXPECT_EQ(Queried(key, "DisplayName"), "");
    RegDeleteKeyA(HKEY_LOCAL_MACHINE, key.c_str());

    // A folder in the way of the program copy: the copy fails, and no entry is made.
    char windows[MAX_PATH] = {};
    GetWindowsDirectoryA(windows, MAX_PATH);
    const std::string copy = std::string(windows) + "\\qupsetup.exe";
    DeleteFileA(copy.c_str());
    ASSERT_TRUE(CreateDirectoryA(copy.c_str(), nullptr));
    const SetupLogTail uncopied;
    EXPECT_EQ(RunQuietly("/S /D=" + (target / "Uncopied"), media.First()), 0u);
    RemoveDirectoryA(copy.c_str());
    EXPECT_NE(uncopied.Text().find("could not be copied"), std::string::npos) << uncopied.Text();
    EXPECT_EQ(Queried(key, "DisplayName"), "") << "no entry";
}

TEST(Deployment, StartedByFullPathFromAnywhereItReadsItsOwnMediaAndRefusesARelativeFolder) {
    const SetupMedia media("[Package]\nname=From Anywhere\n[Licence]\nlicence=none\n[Disks]\nn=1\n"
                           "[ProgramFiles01]\nfile1=%%INSTALLPATH%%\\here.txt\n",
                           "", {{{"here.txt", "the file of the media beside setup.exe"}}});
    ASSERT_EQ(media.Error(), "");
    TempFolder target, elsewhere;
    char system[MAX_PATH] = {};
    GetSystemDirectoryA(system, MAX_PATH);
    {
        ProgramUnderTest setup(media.First() + "\\setup.exe", "/S /D=" + (target / "App"), system);
        ASSERT_TRUE(setup.WaitForExit(60000));
        EXPECT_EQ(setup.ExitCode(), 0u);
    }
    EXPECT_EQ(ReadTextFile(target / "App\\here.txt"), "the file of the media beside setup.exe");
    EXPECT_EQ(RunQuietly("/S " + (target / "App\\uninstal.ini"), media.First()), 0u);

    const SetupLogTail told;
    ProgramUnderTest relative(media.First() + "\\setup.exe", "/S /D=App", elsewhere.Path());
    ASSERT_TRUE(relative.WaitForExit(60000));
    EXPECT_EQ(relative.ExitCode(), 1603u);
    EXPECT_NE(told.Text().find("The install folder must be a full path: App"), std::string::npos);
    EXPECT_FALSE(FolderExists(elsewhere / "App"));
    EXPECT_FALSE(FolderExists(media.First() + "\\App"));
}

// A folder that still holds the user's file goes at a restart once the user has moved it; no
// one waits for that restart.
TEST(Deployment, WhatAnUninstallLeavesToOthersIsToldAndNothingWaitsForARestart) {
    TempFolder app;
    const std::string folder = app / "Data";
    const std::string key = "Software\\DeploymentTest" + std::to_string(GetCurrentProcessId());
    ASSERT_TRUE(CreateDirectoryA(folder.c_str(), nullptr));
    WriteTextFile(folder + "\\notes.txt", "a file the user keeps");
    HKEY added = nullptr;
    ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, (key + "\\Added").c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                              &added, nullptr),
              ERROR_SUCCESS);
    RegCloseKey(added);
    WriteTextFile(app / "uninstal.ini", "[Package]\nname=Left Behind\n[Directories]\ndir1=" + folder +
                                            "\n[RegistryKeys]\nkey1=HKEY_CURRENT_USER\\" + key + "\n");
    ASSERT_TRUE(RecordAsInstalled(app / "uninstal.ini"));
    const SimulatedRestart restart;
    const SetupLogTail told;
    EXPECT_EQ(RunQuietly("/S " + (app / "uninstal.ini"), app.Path()), 0u);
    EXPECT_NE(told.Text().find("Left behind: the folder " + folder + " holds files"), std::string::npos) << told.Text();
    EXPECT_NE(told.Text().find("Left behind: the registry key HKEY_CURRENT_USER\\" + key + " holds keys"),
              std::string::npos) << told.Text();
    EXPECT_TRUE(restart.IsScheduled(folder));
    EXPECT_TRUE(FileExists(folder + "\\notes.txt"));
    RegDeleteKeyA(HKEY_CURRENT_USER, (key + "\\Added").c_str());
    RegDeleteKeyA(HKEY_CURRENT_USER, key.c_str());
}

// A key logged before a key below it, as an install that made a key's parent first logs them:
// both are the package's and both go, and nothing is said of keys another program added.
TEST(Deployment, AParentKeyLoggedBeforeItsSubkeyGoesWithItAndNothingIsSaidOfOthers) {
    TempFolder app;
    const std::string key = "Software\\DeploymentTest" + std::to_string(GetCurrentProcessId()) + "Parent";
    HKEY made = nullptr;
    ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, (key + "\\Sub").c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &made,
                              nullptr),
              ERROR_SUCCESS);
    RegCloseKey(made);
    WriteTextFile(app / "uninstal.ini", "[Package]\nname=Parent First\n[RegistryKeys]\nkey1=HKEY_CURRENT_USER\\" + key +
                                            "\nkey2=HKEY_CURRENT_USER\\" + key + "\\Sub\n");
    ASSERT_TRUE(RecordAsInstalled(app / "uninstal.ini"));
    const SetupLogTail told;
    EXPECT_EQ(RunQuietly("/S " + (app / "uninstal.ini"), app.Path()), 0u);
    HKEY left = nullptr;
    EXPECT_NE(RegOpenKeyExA(HKEY_CURRENT_USER, key.c_str(), 0, KEY_READ, &left), ERROR_SUCCESS);
    EXPECT_EQ(told.Text().find("Left behind"), std::string::npos) << told.Text();
    RegDeleteTreeA(HKEY_CURRENT_USER, key.c_str());
}

// An elevated run keeps its log in the Windows folder's Temp, never in the user's, which the
// user's own programs can write and the user's environment key names; past 1 MB it is rotated, and
// a log that has a second name is never written through.
TEST(Deployment, AnElevatedRunsLogIsTheWindowsTempsRotatedAndNeverWrittenThroughAHardLink) {
    TempFolder temp;
    EnvironmentGuard tmp("TMP"), tempVariable("TEMP");
    tmp.Set(temp.Path());
    tempVariable.Set(temp.Path());
    const std::string log = SetupLogPath();
    const std::string old(1100 * 1024, 'o');
    WriteTextFile(log, old);
    EXPECT_EQ(RunQuietly("/S /D=", temp.Path()), 1603u);
    EXPECT_TRUE(ReadTextFile(log + ".1") == old) << "rotated";
    EXPECT_NE(ReadTextFile(log).find("No install folder given"), std::string::npos);
    EXPECT_FALSE(FileExists(temp / "setup.log"));

    const std::string windowsTemp = log.substr(0, log.find_last_of('\\'));
    const std::string secret = windowsTemp + "\\secret-" + std::to_string(GetCurrentProcessId()) + ".txt";
    ASSERT_TRUE(DeleteFileA(log.c_str()));
    WriteTextFile(secret, "not the log");
    ASSERT_EQ(RunUnixScript("ln " + ShellQuoted(UnixPathOf(secret)) + " " + ShellQuoted(UnixPathOf(log))).exitCode, 0);
    EXPECT_EQ(RunQuietly("/S /D=", temp.Path()), 1603u);
    EXPECT_EQ(ReadTextFile(secret), "not the log");
    DeleteFileA(log.c_str());
    DeleteFileA(secret.c_str());
    WIN32_FIND_DATAA fresh;
    const HANDLE found = FindFirstFileA((windowsTemp + "\\setup-*.log").c_str(), &fresh);
    ASSERT_NE(found, INVALID_HANDLE_VALUE);
    FindClose(found);
    const std::string freshLog = ReadTextFile(windowsTemp + "\\" + fresh.cFileName);
    DeleteFileA((windowsTemp + "\\" + fresh.cFileName).c_str());
    EXPECT_NE(freshLog.find(log + " was not used"), std::string::npos) << freshLog;
    EXPECT_NE(freshLog.find("No install folder given"), std::string::npos) << freshLog;
}

// An ordinary user's run keeps its log in the user's Temp; one reached through a link (another
// folder put in its place) is not followed at all, and the Windows folder's Temp takes the log.
TEST(Deployment, AnOrdinaryUsersLogIsInTheirTempUnlessThatIsALink) {
    const SetupMedia media("[Package]\nname=Ordinary Log\nscope=user\n[Licence]\nlicence=none\n[Disks]\nn=1\n"
                           "[ProgramFiles01]\nfile1=%%INSTALLPATH%%\\a.txt\n",
                           "", {{{"a.txt", "a file of one user's package"}}});
    ASSERT_EQ(media.Error(), "");
    MakeUnelevated(media);
    TempFolder temp;
    const std::string elsewhere = temp / "elsewhere";
    ASSERT_TRUE(CreateDirectoryA(elsewhere.c_str(), nullptr));
    ASSERT_EQ(RunUnixScript("ln -s elsewhere " + ShellQuoted(UnixPathOf(temp / "linked")) + "\n").exitCode, 0);
    EnvironmentGuard tmp("TMP"), tempVariable("TEMP");
    tmp.Set(temp.Path());
    tempVariable.Set(temp.Path());
    EXPECT_EQ(RunQuietly("/S /D=", media.First()), 1603u);
    EXPECT_NE(ReadTextFile(temp / "setup.log").find("No install folder given"), std::string::npos);

    tmp.Set(temp / "linked");
    tempVariable.Set(temp / "linked");
    const SetupLogTail windowsLog;
    EXPECT_EQ(RunQuietly("/S /D=From A Linked Temp", media.First()), 1603u);
    EXPECT_FALSE(FileExists(elsewhere + "\\setup.log"));
    const std::string told = windowsLog.Text();
    EXPECT_NE(told.find("From A Linked Temp"), std::string::npos) << told;
    EXPECT_NE(told.find("its folder is reached through a link"), std::string::npos) << told;
}
