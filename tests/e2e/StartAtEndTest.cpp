// Starting the installed program as a windowed install ends ([Package] run=): ticked it starts, in
// the install folder, unticked it does not, nor ever in an unattended run; started elevated by
// setup itself, the start comes from the unelevated run that waited.
#include <gtest/gtest.h>

#include <windows.h>
#include <tlhelp32.h>

#include <string>

#include "e2e/QuietRun.h"
#include "e2e/SetupMedia.h"
#include "e2e/UiDriver.h"
#include "support/TestFiles.h"
#include "support/WideText.h"

namespace {

std::string Script(const std::string& name, const std::string& scope, const std::string& folder) {
    return "[Package]\nname=" + name + "\nscope=" + scope + "\nrun=[ProgramFiles01]file1\nrunargs=--parent\n"
           "[Licence]\nlicence=none\n[InstallFolder]\ninstall=" + folder + "\n[Disks]\nn=1\n[ProgramFiles01]\n"
           "file1=%%INSTALLPATH%%\\marker.exe\n";
}

SetupMedia Media(const std::string& name, const std::string& scope, const std::string& folder) {
    return SetupMedia(Script(name, scope, folder), "", {{{"marker.exe", ReadTextFile(WinePath(STARTED_MARKER_UNIX_PATH))}}});
}

class ElevationAnswer {
public:
    explicit ElevationAnswer(const char* answer) { SetEnvironmentVariableA("SETUP_TEST_ELEVATION", answer); }
    ~ElevationAnswer() { SetEnvironmentVariableA("SETUP_TEST_ELEVATION", nullptr); }
};

// A process that `parent` started; 0 when none runs (yet).
DWORD ChildOf(DWORD parent) {
    const HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    PROCESSENTRY32W entry{};
    entry.dwSize = sizeof entry;
    DWORD child = 0;
    for (BOOL more = Process32FirstW(snapshot, &entry); more; more = Process32NextW(snapshot, &entry))
        if (entry.th32ParentProcessID == parent) child = entry.th32ProcessID;
    CloseHandle(snapshot);
    return child;
}

// Through the windows of the run `windows` (the process that shows them): Continue, the folder
// given, Install, Yes; then, at the last window, the tick box as `tick` says, and OK.
void InstallThroughTheWindows(DWORD windows, const std::string& folder, bool tick) {
    HWND main = ui::WaitForWindow(windows, "TMainForm");
    ASSERT_NE(main, nullptr);
    EXPECT_TRUE(ui::WaitUntil([&] { return ui::FindChild(main, "Button", "&Continue") != nullptr; }));
    ASSERT_TRUE(ui::Press(main, "&Continue"));
    HWND destination = ui::WaitForWindow(windows, "TInstallForm");
    ASSERT_NE(destination, nullptr);
    ui::Type(ui::FindChild(destination, "Edit"), folder);
    ASSERT_TRUE(ui::Press(destination, "&Install"));
    ui::Answer(ui::WaitForMessageBox(windows), IDYES);
    HWND progress = ui::WaitForWindow(windows, "TProgressForm");
    ASSERT_NE(progress, nullptr);
    EXPECT_TRUE(ui::WaitUntil([&] { return ui::FindChild(progress, "Button", "OK") != nullptr; }, 60000));
    HWND box = nullptr;
    EXPECT_TRUE(ui::WaitUntil([&] { return (box = ui::FindChild(progress, "Button", "Start Starting Package now")) != nullptr; }));
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(SendMessageA(box, BM_GETCHECK, 0, 0), BST_CHECKED) << "offered ticked";
    if (!tick) SendMessageA(box, BM_CLICK, 0, 0);
    EXPECT_EQ(SendMessageA(box, BM_GETCHECK, 0, 0), tick ? BST_CHECKED : BST_UNCHECKED);
    ui::Press(progress, "OK");
}

// The package whose install offers to start marker.exe, for the machine or for the person; made to
// take itself for unelevated (as an ordinary user's run) unless `asStarted`: wine runs every
// program elevated, as a setup started with "Run as administrator".
struct StartingPackage {
    const std::string name = "Starting Package";
    SetupMedia media;
    TempFolder target;

    StartingPackage(const std::string& scope, const std::string& folder, bool asStarted = false)
        : media(Media(name, scope, folder)) {
        if (!asStarted) MakeUnelevated(media);
    }
};

std::string StartedIn(const std::string& folder) {
    if (!ui::WaitUntil([&] { return FileExists(folder + "\\parent.txt"); }, 20000)) return "not started";
    const std::string mark = ReadTextFile(folder + "\\started.txt");
    return NarrowText(std::wstring(reinterpret_cast<const wchar_t*>(mark.data()), mark.size() / sizeof(wchar_t)));
}

}  // namespace

TEST(StartAtEnd, TickedItStartsInTheInstallFolderUntickedOrUnattendedItDoesNot) {
    const StartingPackage package("user", "%%USERPROGRAMS%%\\Starting Package");
    const SetupMedia& media = package.media;
    const TempFolder& target = package.target;
    ASSERT_EQ(media.Error(), "");
    const ElevationAnswer refused("refuse");
    {
        ProgramUnderTest setup(media.First() + "\\setup.exe", "", media.First());
        InstallThroughTheWindows(setup.ProcessId(), target / "Ticked", true);
        EXPECT_TRUE(setup.WaitForExit(20000));
        EXPECT_EQ(StartedIn(target / "Ticked"), target / "Ticked");
        EXPECT_EQ(ReadTextFile(target / "Ticked\\parent.txt"), std::to_string(setup.ProcessId()))
            << "an unelevated setup starts it itself";
    }
    {
        ProgramUnderTest setup(media.First() + "\\setup.exe", "", media.First());
        InstallThroughTheWindows(setup.ProcessId(), target / "Unticked", false);
        EXPECT_TRUE(setup.WaitForExit(20000));
        Sleep(1000);
        EXPECT_FALSE(FileExists(target / "Unticked\\started.txt"));
    }
    EXPECT_EQ(RunQuietly("/S /D=" + (target / "Quiet"), media.First()), 0u);
    Sleep(1000);
    EXPECT_TRUE(FileExists(target / "Quiet\\marker.exe"));
    EXPECT_FALSE(FileExists(target / "Quiet\\started.txt")) << "an unattended run never starts it";
    for (const char* folder : {"Ticked", "Unticked", "Quiet"})
        EXPECT_EQ(RunQuietly("/S " + (target / folder) + "\\uninstal.ini", media.First()), 0u) << folder;
}

TEST(StartAtEnd, SetupThatElevatedItselfStartsItFromTheUnelevatedRun) {
    const StartingPackage package("machine", "%%PROGPATH%%\\Starting Package");
    const SetupMedia& media = package.media;
    const TempFolder& target = package.target;
    ASSERT_EQ(media.Error(), "");
    const ElevationAnswer accepted("accept");
    ProgramUnderTest setup(media.First() + "\\setup.exe", "", media.First());
    DWORD elevated = 0;
    ASSERT_TRUE(ui::WaitUntil([&] { return (elevated = ChildOf(setup.ProcessId())) != 0; }));
    InstallThroughTheWindows(elevated, target / "Elevated", true);
    EXPECT_TRUE(setup.WaitForExit(30000));
    EXPECT_EQ(StartedIn(target / "Elevated"), target / "Elevated");
    EXPECT_EQ(ReadTextFile(target / "Elevated\\parent.txt"), std::to_string(setup.ProcessId()))
        << "started by the unelevated run, not the elevated one (" << elevated << ")";
    EXPECT_EQ(RunQuietly("/S " + (target / "Elevated") + "\\uninstal.ini", media.First()), 0u);
}

TEST(StartAtEnd, SetupStartedElevatedStartsItThroughTheDesktopShell) {
    // No unelevated run waits for this one: the desktop's shell starts the program, as the person
    // logged on, so its parent is the shell, not setup.
    const StartingPackage package("machine", "%%PROGPATH%%\\Starting Package", true);
    ASSERT_EQ(package.media.Error(), "");
    const std::string folder = package.target / "Desktop";
    ProgramUnderTest setup(package.media.First() + "\\setup.exe", "", package.media.First());
    InstallThroughTheWindows(setup.ProcessId(), folder, true);
    EXPECT_TRUE(setup.WaitForExit(30000));
    EXPECT_EQ(StartedIn(folder), folder);
    EXPECT_NE(ReadTextFile(folder + "\\parent.txt"), std::to_string(setup.ProcessId()));
    EXPECT_EQ(RunQuietly("/S " + folder + "\\uninstal.ini", package.media.First()), 0u);
}
