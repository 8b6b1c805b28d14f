#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "e2e/QuietRun.h"
#include "e2e/SetupMedia.h"
#include "e2e/UiDriver.h"
#include "support/HeldOpenFile.h"
#include "support/LoggedKeys.h"
#include "support/SimulatedRestart.h"
#include "support/TestFiles.h"
#include "support/UnixTools.h"

namespace {

std::string PlatformFolder(UINT (*query)(LPSTR, UINT)) {
    char path[MAX_PATH] = {};
    query(path, MAX_PATH);
    return path;
}

UINT PlatformTempFolder(LPSTR buffer, UINT size) { return GetTempPathA(size, buffer); }

// A folder the shell names for the user, made empty where it is missing: empty, it would go.
std::string ShellFolder(const char* name) {
    char path[MAX_PATH] = {};
    DWORD size = sizeof path;
    RegGetValueA(HKEY_CURRENT_USER, "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders", name,
                 RRF_RT_REG_SZ, nullptr, path, &size);
    CreateDirectoryA(path, nullptr);
    return path;
}

}  // namespace

TEST(UninstallSafety, ALogChangedAfterTheInstallIsNotCarriedOut) {
    const SetupMedia media("[Package]\nname=Guarded Package\n[Licence]\nlicence=none\n[Disks]\nn=1\n[ProgramFiles01]\n"
                           "file1=%%INSTALLPATH%%\\guarded.txt\n",
                           "", {{{"guarded.txt", "a file of the guarded package"}}});
    ASSERT_EQ(media.Error(), "");
    TempFolder target, elsewhere;
    const std::string folder = target / "Guarded";
    ASSERT_EQ(RunQuietly("/S /D=" + folder, media.First()), 0u);
    const std::string log = folder + "\\uninstal.ini";
    // Anyone who can write the install folder adds a file of someone else's.
    WriteTextFile(elsewhere / "victim.txt", "not the package's");
    ASSERT_TRUE(WritePrivateProfileStringA("ProgramFiles", "file9", (elsewhere / "victim.txt").c_str(), log.c_str()));

    // However the log is named: the record is found by what the log is, not by its spelling.
    for (const std::string& named : {log, "\\\\?\\" + log, WinePath(UnixPathOf(log))}) {
        const SetupLogTail told;
        EXPECT_EQ(RunQuietly("/S " + named, media.First()), 1603u) << named;
        EXPECT_NE(told.Text().find("was changed after the install; nothing was removed"), std::string::npos) << named;
        EXPECT_TRUE(FileExists(elsewhere / "victim.txt"));
        EXPECT_TRUE(FileExists(folder + "\\guarded.txt"));
    }

    // Put back as installed, the log is carried out, and its record goes with the package.
    WritePrivateProfileStringA("ProgramFiles", "file9", nullptr, log.c_str());
    WritePrivateProfileStringA(nullptr, nullptr, nullptr, log.c_str());
    EXPECT_EQ(RunQuietly("/S " + log, media.First()), 0u);
    EXPECT_FALSE(FolderExists(folder));
    EXPECT_TRUE(FileExists(elsewhere / "victim.txt"));
}

// A log no install recorded (a folder another user renamed and replaced, holding a log of theirs)
// is never carried out, windowed or not.
TEST(UninstallSafety, ALogThatNoInstallRecordedIsNotCarriedOut) {
    TempFolder app;
    const std::string victim = PlatformFolder(GetWindowsDirectoryA) + "\\win.ini";
    ASSERT_TRUE(FileExists(victim));
    WriteTextFile(app / "uninstal.ini", "[Package]\nname=Planted Log\n[ProgramFiles]\nfile1=" + victim + "\n");
    const std::string refusal =
        "The uninstall log " + (app / "uninstal.ini") + " was not recorded by an install on this computer; nothing was removed";

    const SetupLogTail told;
    EXPECT_EQ(RunQuietly("/S " + (app / "uninstal.ini"), app.Path()), 1603u);
    EXPECT_NE(told.Text().find("Fatal Error: " + refusal), std::string::npos) << told.Text();
    EXPECT_TRUE(FileExists(victim));

    ProgramUnderTest windowed(SetupExeIn(app.Path()), app / "uninstal.ini", app.Path());
    const ui::Box box = ui::WaitForMessageBox(windowed.ProcessId());
    EXPECT_EQ(box.caption, "Fatal Error");
    EXPECT_EQ(box.text, refusal);
    ui::Answer(box, IDOK);
    EXPECT_TRUE(windowed.WaitForExit(20000));
    EXPECT_TRUE(FileExists(victim));
    EXPECT_TRUE(FileExists(app / "uninstal.ini"));
}

// The record goes after the log: a log that cannot be deleted now keeps it, and can still be
// carried out once it is free.
TEST(UninstallSafety, ALogThatStaysKeepsItsRecord) {
    const SetupMedia media("[Package]\nname=Held Log\n[Licence]\nlicence=none\n[Disks]\nn=1\n[ProgramFiles01]\n"
                           "file1=%%INSTALLPATH%%\\held.txt\n",
                           "", {{{"held.txt", "a file of the package whose log is held"}}});
    ASSERT_EQ(media.Error(), "");
    TempFolder target;
    const std::string folder = target / "Held";
    ASSERT_EQ(RunQuietly("/S /D=" + folder, media.First()), 0u);
    {
        const HeldOpenFile held(folder + "\\uninstal.ini");
        ASSERT_TRUE(held.IsOpen());
        RunQuietly("/S " + folder + "\\uninstal.ini", media.First());
        EXPECT_FALSE(FileExists(folder + "\\held.txt"));
    }
    ASSERT_TRUE(FileExists(folder + "\\uninstal.ini"));
    EXPECT_EQ(RunQuietly("/S " + folder + "\\uninstal.ini", media.First()), 0u);
    EXPECT_FALSE(FolderExists(folder));
}

TEST(UninstallSafety, ThePlatformsOwnFoldersAreNeverRemovedNorScheduled) {
    TempFolder app, startedIn;
    const std::string made = app / "Made by the install";
    CreateDirectoryA(made.c_str(), nullptr);
    const std::string windows = PlatformFolder(GetWindowsDirectoryA);
    const std::string folders[] = {windows.substr(0, 3), windows, PlatformFolder(GetSystemDirectoryA),
                                   PlatformFolder(PlatformTempFolder), windows + "\\..\\users", windows + "\\temp",
                                   ShellFolder("Startup"), ShellFolder("Personal"), app.Path(), made};
    std::string log = "[Package]\nname=Greedy Log\n[Directories]\n";
    for (size_t i = 0; i < std::size(folders); ++i) log += "dir" + std::to_string(i + 1) + "=" + folders[i] + "\n";
    WriteTextFile(app / "uninstal.ini", log);
    ASSERT_TRUE(RecordAsInstalled(app / "uninstal.ini"));
    const SimulatedRestart restart;
    EXPECT_EQ(RunQuietly("/S " + (app / "uninstal.ini"), startedIn.Path()), 0u);
    EXPECT_FALSE(FolderExists(made)) << "what the install made goes as before";
    for (size_t i = 0; i + 2 < std::size(folders); ++i) {
        EXPECT_TRUE(FolderExists(folders[i])) << folders[i];
        EXPECT_FALSE(restart.IsScheduled(folders[i])) << folders[i];
    }
}

TEST(UninstallSafety, WhatALinkNowReachesIsLeftAloneAndReported) {
    const SetupMedia media("[Package]\nname=Linked Package\n[Licence]\nlicence=none\n[Disks]\nn=1\n"
                           "[InstallFolder]\ninstall=C:\\x\nsub=Data\n[ProgramFiles01]\nfile1=%%INSTALLPATH%%\\Data\\a.txt\n",
                           "", {{{"a.txt", "a file of the linked package"}}});
    ASSERT_EQ(media.Error(), "");
    TempFolder target, elsewhere;
    const std::string folder = target / "Linked";
    ASSERT_EQ(RunQuietly("/S /D=" + folder, media.First()), 0u);
    // Someone who can write the install folder puts a link where the package's folder was.
    WriteTextFile(elsewhere / "a.txt", "someone else's file of that name");
    const UnixCommandResult linked = RunUnixScript("rm -r " + ShellQuoted(UnixPathOf(folder + "\\Data")) + " && ln -s " +
                                                   ShellQuoted(UnixPathOf(elsewhere.Path())) + " " +
                                                   ShellQuoted(UnixPathOf(folder + "\\Data")) + "\n");
    ASSERT_EQ(linked.exitCode, 0) << linked.output;

    const SetupLogTail told;
    EXPECT_EQ(RunQuietly("/S " + folder + "\\uninstal.ini", media.First()), 1603u);
    EXPECT_TRUE(FileExists(elsewhere / "a.txt"));
    EXPECT_TRUE(FolderExists(elsewhere.Path()));
    EXPECT_NE(told.Text().find("left as they are"), std::string::npos) << told.Text();
    EXPECT_NE(told.Text().find(folder + "\\Data\\a.txt"), std::string::npos) << told.Text();
    RunUnixScript("rm " + ShellQuoted(UnixPathOf(folder + "\\Data")) + "\n");
}

TEST(UninstallSafety, ADestinationThatIsNotAFullPathIsRefusedBeforeAnythingIsWritten) {
    const std::string script = "[Package]\nname=Relative Package\n[Licence]\nlicence=none\n[Disks]\nn=1\n[ProgramFiles01]\n";
    const SetupMedia media(script + "file1=%%INSTALLPATH%%\\rel.txt\n", "", {{{"rel.txt", "a file with no place of its own"}}});
    ASSERT_EQ(media.Error(), "");
    // As a script written by hand, past the checker, would say it.
    WriteTextFile(media.First() + "\\install.ini", script + "file1=rel.txt\n");
    TempFolder target;
    const SetupLogTail told;
    EXPECT_EQ(RunQuietly("/S /D=" + (target / "Relative"), media.First()), 1603u);
    EXPECT_NE(told.Text().find("Error installing rel.txt"), std::string::npos) << told.Text();
    EXPECT_FALSE(FileExists(media.First() + "\\rel.txt")) << "nothing is written beside the media";
}
