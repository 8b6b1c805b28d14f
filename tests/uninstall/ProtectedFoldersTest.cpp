#include <gtest/gtest.h>

#include <windows.h>

#include "support/SetupStateScope.h"
#include "support/TestFiles.h"
#include "uninstall/ProtectedFolders.h"

TEST(ProtectedFolders, HoldThePlatformsFoldersInEverySpellingAndWhatHoldsThemButNotWhatIsInside) {
    SetupStateScope state;
    TempFolder programs;
    ::Setup.ProgramFilesDir = programs / "Program Files";
    CreateDirectoryA(::Setup.ProgramFilesDir.c_str(), nullptr);
    char windows[MAX_PATH] = {};
    GetWindowsDirectoryA(windows, MAX_PATH);
    ::Setup.WindowsDir = windows;
    const ProtectedFolders folders;

    char shortName[MAX_PATH] = {};
    GetShortPathNameA(::Setup.ProgramFilesDir.c_str(), shortName, MAX_PATH);
    for (const std::string& path : {::Setup.ProgramFilesDir, ::Setup.ProgramFilesDir + "\\", std::string(shortName),
                                    programs.Path(), std::string(windows) + "\\System32\\..", std::string("C:\\"),
                                    std::string("d:"), std::string(windows)})
        EXPECT_TRUE(folders.Contains(path)) << path;
    for (const std::string& path : {::Setup.ProgramFilesDir + "\\Example Editor", std::string(windows) + "\\Example"})
        EXPECT_FALSE(folders.Contains(path)) << path;
}
