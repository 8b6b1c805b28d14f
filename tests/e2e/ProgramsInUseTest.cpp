#include <gtest/gtest.h>

#include <windows.h>

#include <memory>
#include <string>

#include "e2e/QuietRun.h"
#include "e2e/SetupMedia.h"
#include "e2e/UiDriver.h"
#include "support/TestFiles.h"

// Programs that hold the files an install replaces, through the Restart Manager's seam (a build of
// setup.exe whose Restart Manager names the test's holder process), and a file held open without
// sharing, which no seam stands in for.

namespace {

constexpr DWORD RestartNeeded = 3010;
constexpr DWORD Failed = 1603;
const std::string OldContent = "what stood there before the install";
const std::string NewContent = "the package's own file, version two";
const std::string OtherContent = "another file of the package, kept short";
constexpr const char* HolderName = "holder_window.exe";

// The holder's process id is what the seam names; the variable goes with the test.
class HolderVariable {
public:
    explicit HolderVariable(DWORD id) { SetEnvironmentVariableA("SETUP_TEST_HOLDER", std::to_string(id).c_str()); }
    ~HolderVariable() { SetEnvironmentVariableA("SETUP_TEST_HOLDER", nullptr); }
};

// A package of two files over a folder where the second already stands; the holder window, started
// with `holderArguments`, runs while the test lasts (ended, if still running, when it goes).
class InUseBed {
public:
    InUseBed(bool seam, const std::string& holderArguments)
        : media_("[Package]\nname=Files In Use " + std::to_string(GetCurrentProcessId()) +
                     "\n[Licence]\nlicence=none\n[Disks]\nn=1\n[ProgramFiles01]\nfile1=%%INSTALLPATH%%\\other.dat\n"
                     "file2=%%INSTALLPATH%%\\app.dat\n",
                 "", {{{"app.dat", NewContent}, {"other.dat", OtherContent}}}) {
        CreateDirectoryA(Folder().c_str(), nullptr);
        WriteTextFile(App(), OldContent);
        if (seam)
            CopyFileA(WinePath(SETUP_HELDFILES_UNIX_PATH).c_str(), (media_.First() + "\\setup.exe").c_str(), FALSE);
        const std::string arguments = holderArguments == "hold" ? "hold=" + App() : holderArguments;
        holder_ = std::make_unique<ProgramUnderTest>(WinePath(HOLDER_WINDOW_UNIX_PATH), arguments, root_.Path());
        window_ = ui::WaitForWindow(holder_->ProcessId(), "HolderWindow");
        variable_ = std::make_unique<HolderVariable>(holder_->ProcessId());
    }
    ~InUseBed() { RunQuietly("/S " + Folder() + "\\uninstal.ini", media_.First()); }

    const SetupMedia& Media() const { return media_; }
    std::string Folder() const { return root_ / "Held App"; }
    std::string App() const { return Folder() + "\\app.dat"; }
    bool HolderCame() const { return window_ != nullptr; }
    bool HolderRuns() const { return !holder_->WaitForExit(0); }
    // Asks the holder to end, as a person closing it does.
    bool EndHolder() const {
        PostMessageA(window_, WM_CLOSE, 0, 0);
        return holder_->WaitForExit(10000);
    }

private:
    TempFolder root_;
    SetupMedia media_;
    std::unique_ptr<ProgramUnderTest> holder_;
    std::unique_ptr<HolderVariable> variable_;
    HWND window_ = nullptr;
};

// setup.exe started with the windows on the bed's media, led to its install into the bed's folder;
// the first box it then shows.
ui::Box InstallUpToBox(const InUseBed& bed, ProgramUnderTest& setup) {
    const DWORD pid = setup.ProcessId();
    EXPECT_TRUE(ui::Press(ui::WaitForWindow(pid, "TMainForm"), "&Continue"));
    HWND destination = ui::WaitForWindow(pid, "TInstallForm");
    ui::SetText(ui::FindChild(destination, "Edit"), bed.Folder());
    EXPECT_TRUE(ui::Press(destination, "&Install"));
    return ui::WaitForMessageBox(pid);
}

// Waits for the install's end and closes its window as the person does.
void FinishWindowed(ProgramUnderTest& setup) {
    HWND progress = ui::WaitForWindow(setup.ProcessId(), "TProgressForm");
    EXPECT_TRUE(ui::WaitUntil([&] { return ui::FindChild(progress, "Button", "OK") != nullptr; }, 60000));
    EXPECT_TRUE(ui::Press(progress, "OK"));
    EXPECT_TRUE(setup.WaitForExit(20000));
}

struct UnattendedCase {
    const char* name;
    const char* holder;    // the holder's arguments
    const char* switches;  // between /S and /D=
    DWORD exitCode;
    bool holderEnds;
    const char* logged;
};

}  // namespace

TEST(ProgramsInUse, AnUnattendedInstallClosesThemUnlessToldNotToAndWaitsForTheRestartForWhatStays) {
    const UnattendedCase cases[] = {
        {"closes", "", "", 0, true, "Closed: holder_window.exe"},
        {"/NOCLOSE", "", "/NOCLOSE ", RestartNeeded, false, "These programs use files that setup replaces or removes: holder_window.exe"},
        {"refused", "refuse", "", RestartNeeded, false, "These programs did not close: holder_window.exe"},
    };
    for (const UnattendedCase& c : cases) {
        SCOPED_TRACE(c.name);
        const InUseBed bed(true, c.holder);
        ASSERT_TRUE(bed.HolderCame());
        const SetupLogTail log;
        EXPECT_EQ(RunQuietly(std::string("/S ") + c.switches + "/D=" + bed.Folder(), bed.Media().First()), c.exitCode);
        EXPECT_EQ(!bed.HolderRuns(), c.holderEnds);
        EXPECT_EQ(ReadTextFile(bed.App()), NewContent);
        EXPECT_NE(log.Text().find(c.logged), std::string::npos) << log.Text();
    }
}

TEST(ProgramsInUse, TheWindowNamesThemAndClosesThemOrGoesOnWithout) {
    for (const int answer : {IDYES, IDNO}) {
        SCOPED_TRACE(answer == IDYES ? "close and go on" : "go on");
        const InUseBed bed(true, "");
        ASSERT_TRUE(bed.HolderCame());
        ProgramUnderTest setup(SetupExeIn(bed.Media().First()), "", bed.Media().First());
        const ui::Box box = InstallUpToBox(bed, setup);
        EXPECT_EQ(box.caption, "Programs in use");
        EXPECT_NE(box.text.find(HolderName), std::string::npos) << box.text;
        ui::Answer(box, answer);
        FinishWindowed(setup);
        EXPECT_EQ(bed.HolderRuns(), answer == IDNO);
        EXPECT_EQ(ReadTextFile(bed.App()), NewContent);
    }
}

TEST(ProgramsInUse, AProgramThatWouldNotCloseIsNamedAndTheInstallGoesOnWhenAsked) {
    const InUseBed bed(true, "refuse");
    ASSERT_TRUE(bed.HolderCame());
    ProgramUnderTest setup(SetupExeIn(bed.Media().First()), "", bed.Media().First());
    const ui::Box inUse = InstallUpToBox(bed, setup);
    ui::Answer(inUse, IDYES);
    // The next box only once this one is gone: a box on its way out is found too, with no texts.
    EXPECT_TRUE(ui::WaitUntil([&] { return !IsWindow(inUse.window); }, 20000));
    const ui::Box notClosed = ui::WaitForMessageBox(setup.ProcessId());
    EXPECT_NE(notClosed.text.find("did not close:\n" + std::string(HolderName)), std::string::npos) << notClosed.text;
    ui::Answer(notClosed, IDCANCEL);
    FinishWindowed(setup);
    EXPECT_TRUE(bed.HolderRuns());
}

// A file held open without sharing: the box names it; Retry once its program ended installs it,
// Cancel takes the install back; an unattended install outside the administrators' folders fails
// and is taken back.
TEST(HeldFile, RetryAfterTheHolderEndedInstallsCancelTakesTheInstallBack) {
    for (const int answer : {IDRETRY, IDCANCEL}) {
        SCOPED_TRACE(answer == IDRETRY ? "retry" : "cancel");
        const InUseBed bed(false, "hold");
        ASSERT_TRUE(bed.HolderCame());
        ProgramUnderTest setup(SetupExeIn(bed.Media().First()), "", bed.Media().First());
        const ui::Box box = InstallUpToBox(bed, setup);
        EXPECT_NE(box.text.find(bed.App()), std::string::npos) << box.text;
        ASSERT_TRUE(bed.EndHolder());
        ui::Answer(box, answer);
        if (answer == IDRETRY) FinishWindowed(setup);
        EXPECT_TRUE(setup.WaitForExit(20000));
        EXPECT_EQ(ReadTextFile(bed.App()), answer == IDRETRY ? NewContent : OldContent);
        EXPECT_EQ(FileExists(bed.Folder() + "\\other.dat"), answer == IDRETRY);
        EXPECT_EQ(FileExists(bed.Folder() + "\\uninstal.ini"), answer == IDRETRY);
    }
}

TEST(HeldFile, AnUnattendedInstallOutsideTheAdministratorsFoldersFailsAndIsTakenBack) {
    const InUseBed bed(false, "hold");
    ASSERT_TRUE(bed.HolderCame());
    const SetupLogTail log;
    EXPECT_EQ(RunQuietly("/S /D=" + bed.Folder(), bed.Media().First()), Failed);
    EXPECT_NE(log.Text().find("can be neither replaced nor moved"), std::string::npos) << log.Text();
    ASSERT_TRUE(bed.EndHolder());
    EXPECT_EQ(ReadTextFile(bed.App()), OldContent);
    EXPECT_FALSE(FileExists(bed.Folder() + "\\uninstal.ini"));
}
