#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "e2e/QuietRun.h"
#include "e2e/SetupMedia.h"
#include "e2e/UiDriver.h"
#include "support/SimulatedRestart.h"
#include "support/TestFiles.h"

namespace {

std::string PlatformFolder(UINT (*query)(LPSTR, UINT)) {
    char path[MAX_PATH] = {};
    query(path, MAX_PATH);
    return path;
}

UINT PlatformTempFolder(LPSTR buffer, UINT size) { return GetTempPathA(size, buffer); }

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

    const SetupLogTail told;
    EXPECT_EQ(RunQuietly("/S " + log, media.First()), 1603u);
    EXPECT_NE(told.Text().find("was changed after the install; nothing was removed"), std::string::npos);
    EXPECT_TRUE(FileExists(elsewhere / "victim.txt"));
    EXPECT_TRUE(FileExists(folder + "\\guarded.txt"));

    // Put back as installed, the log is carried out, and its record goes with the package.
    WritePrivateProfileStringA("ProgramFiles", "file9", nullptr, log.c_str());
    WritePrivateProfileStringA(nullptr, nullptr, nullptr, log.c_str());
    EXPECT_EQ(RunQuietly("/S " + log, media.First()), 0u) << told.Text();
    EXPECT_FALSE(FolderExists(folder));
    EXPECT_TRUE(FileExists(elsewhere / "victim.txt"));
}

TEST(UninstallSafety, ThePlatformsOwnFoldersAreNeverRemovedNorScheduled) {
    TempFolder app, startedIn;
    const std::string made = app / "Made by the install";
    CreateDirectoryA(made.c_str(), nullptr);
    const std::string windows = PlatformFolder(GetWindowsDirectoryA);
    const std::string folders[] = {windows.substr(0, 3), windows, PlatformFolder(GetSystemDirectoryA),
                                   PlatformFolder(PlatformTempFolder), windows + "\\..\\users", app.Path(), made};
    std::string log = "[Package]\nname=Greedy Log\n[Directories]\n";
    for (size_t i = 0; i < std::size(folders); ++i) log += "dir" + std::to_string(i + 1) + "=" + folders[i] + "\n";
    WriteTextFile(app / "uninstal.ini", log);
    const SimulatedRestart restart;
    EXPECT_EQ(RunQuietly("/S " + (app / "uninstal.ini"), startedIn.Path()), 0u);
    EXPECT_FALSE(FolderExists(made)) << "what the install made goes as before";
    for (size_t i = 0; i + 2 < std::size(folders); ++i) {
        EXPECT_TRUE(FolderExists(folders[i])) << folders[i];
        EXPECT_FALSE(restart.IsScheduled(folders[i])) << folders[i];
    }
}
