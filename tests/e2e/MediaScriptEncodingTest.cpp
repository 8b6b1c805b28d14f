#include <gtest/gtest.h>

#include <windows.h>

#include "e2e/QuietRun.h"
#include "e2e/SetupMedia.h"
#include "support/TestFiles.h"

// An author's script in Windows-1252 reaches the media as UTF-16, and setup installs the file
// under the name written, read back here through the platform's ANSI calls, which in this test
// program take UTF-8 as in setup.
TEST(MediaScriptEncoding, SetupInstallsWhatTheUtf16ScriptOfTheMediaNames) {
    const std::string western = "caf\xE9 menu.txt";
    const std::string name = "caf\xC3\xA9 menu.txt";
    const SetupMedia media("[Package]\nname=Caf\xE9 Package\n[Licence]\nlicence=none\n[Disks]\nn=1\n"
                           "[ProgramFiles01]\nfile1=%%INSTALLPATH%%\\" + western + "\n",
                           "", {{{name, "the menu of the caf\xE9, sixteen bytes or more"}}});
    ASSERT_EQ(media.Error(), "");
    ASSERT_EQ(ReadTextFile(media.First() + "\\install.ini").substr(0, 2), "\xFF\xFE");
    TempFolder target;
    const std::string folder = target / "Installed";
    ASSERT_EQ(GetACP(), 65001u) << "the names below are UTF-8";
    EXPECT_EQ(RunQuietly("/S /D=" + folder, media.First()), 0u);
    EXPECT_EQ(ReadTextFile(folder + "\\" + name), "the menu of the caf\xE9, sixteen bytes or more");
    EXPECT_EQ(RunQuietly("/S " + folder + "\\uninstal.ini", media.First()), 0u);
    EXPECT_FALSE(FileExists(folder + "\\" + name));
    char windows[MAX_PATH] = {};
    GetWindowsDirectoryA(windows, MAX_PATH);
    DeleteFileA((std::string(windows) + "\\qupsetup.exe").c_str());
}
