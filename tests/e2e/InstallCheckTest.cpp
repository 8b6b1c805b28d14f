#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "e2e/QuietRun.h"
#include "e2e/SetupMedia.h"
#include "e2e/UiDriver.h"
#include "support/TestFiles.h"
#include "support/UnixTools.h"

namespace {

constexpr DWORD Intact = 0;
constexpr DWORD NotIntact = 1;
constexpr DWORD Failed = 1603;

// The sample package installed into a folder of its own, uninstalled when the test ends.
class InstalledSample {
public:
    InstalledSample() : media_(std::string(SETUP_SOURCE_UNIX_DIR) + "/examples/notes") {
        media_.InsertDisk(2);
        installed_ = media_.Error().empty() && RunQuietly("/S /D=" + Folder(), media_.First()) == 0;
    }
    ~InstalledSample() {
        RunQuietly("/S " + Log(), media_.First());
        char windows[MAX_PATH] = {};
        GetWindowsDirectoryA(windows, MAX_PATH);
        DeleteFileA((std::string(windows) + "\\qupsetup.exe").c_str());
    }
    bool Installed() const { return installed_; }
    std::string Folder() const { return target_ / "Example Notes"; }
    std::string Log() const { return Folder() + "\\uninstal.ini"; }
    std::string First() const { return media_.First(); }

private:
    SetupMedia media_;
    TempFolder target_;
    bool installed_ = false;
};

std::string LoggedValue(const std::string& log, const char* section, const char* key) {
    char value[2048] = {};
    GetPrivateProfileStringA(section, key, "", value, sizeof value, log.c_str());
    return value;
}

// The file's SHA-256 as Debian's sha256sum gives it.
std::string Sha256Sum(const std::string& path) {
    return RunUnixScript("sha256sum " + ShellQuoted(UnixPathOf(path)) + " | cut -c1-64").output.substr(0, 64);
}

}  // namespace

// The log records each installed file's size and SHA-256, in a section of its own, numbered as the
// files are; a check finds them all intact, then names the file changed and the one deleted.
TEST(InstallCheck, AnUnattendedCheckFindsEachFileMissingOrChangedSinceTheInstall) {
    const InstalledSample sample;
    ASSERT_TRUE(sample.Installed());
    const std::string readme = sample.Folder() + "\\readme.txt", notes = sample.Folder() + "\\notes.ini";
    const std::string content = ReadTextFile(readme);
    EXPECT_EQ(LoggedValue(sample.Log(), "ProgramFiles", "file1"), readme);
    EXPECT_EQ(LoggedValue(sample.Log(), "FileDigests", "file1"),
              std::to_string(content.size()) + "," + Sha256Sum(readme) + "," + readme);

    const struct {
        const char* what;
        void (*change)(const std::string& readme, const std::string& notes);
        DWORD code;
        std::vector<std::string> told;
        std::vector<std::string> notTold;
    } cases[] = {
        {"as installed", [](const std::string&, const std::string&) {}, Intact,
         {"The 5 files the install of Example Notes recorded are as it left them.", "Exit code 0"}, {"Missing", "Changed"}},
        {"a byte changed, a file deleted",
         [](const std::string& changed, const std::string& deleted) {
             std::string bytes = ReadTextFile(changed);
             bytes[0] ^= 1;
             WriteTextFile(changed, bytes);
             DeleteFileA(deleted.c_str());
         },
         NotIntact, {"Changed: " + readme + "\r\n", "Missing: " + notes + "\r\n", "Exit code 1"}, {"Samples"}},
    };
    for (const auto& each : cases) {
        each.change(readme, notes);
        const SetupLogTail tail;
        EXPECT_EQ(RunQuietly("/S /VERIFY " + sample.Log(), sample.First()), each.code) << each.what;
        for (const std::string& line : each.told) EXPECT_NE(tail.Text().find(line), std::string::npos) << each.what << tail.Text();
        for (const std::string& line : each.notTold) EXPECT_EQ(tail.Text().find(line), std::string::npos) << each.what << tail.Text();
    }
    WriteTextFile(readme, content);
}

// The records are part of the log its record covers: a digest changed to match a changed file
// makes the log a changed one, which is refused as the uninstall refuses it.
TEST(InstallCheck, ALogWhoseDigestWasChangedIsRefused) {
    const InstalledSample sample;
    ASSERT_TRUE(sample.Installed());
    const std::string log = ReadTextFile(sample.Log());
    const std::string readme = sample.Folder() + "\\readme.txt";
    WriteTextFile(readme, "another readme");
    WritePrivateProfileStringA("FileDigests", "file1", ("14," + Sha256Sum(readme) + "," + readme).c_str(), sample.Log().c_str());
    const SetupLogTail tail;
    EXPECT_EQ(RunQuietly("\"/S\" /verify \"" + sample.Log() + "\"", sample.First()), Failed);
    EXPECT_NE(tail.Text().find("was changed after the install"), std::string::npos) << tail.Text();
    WriteTextFile(sample.Log(), log);
}

// Started without /S, the check shows one message naming what it found, and ends with 0.
TEST(InstallCheck, AWindowedCheckListsTheChangedFile) {
    const InstalledSample sample;
    ASSERT_TRUE(sample.Installed());
    const std::string changed = sample.Folder() + "\\Samples\\second.txt";
    WriteTextFile(changed, "not what was installed");
    ProgramUnderTest program(SetupExePath(), "/VERIFY " + sample.Log(), sample.First());
    ASSERT_TRUE(program.Started());
    const ui::Box box = ui::WaitForMessageBox(program.ProcessId());
    EXPECT_EQ(box.caption, "Check of Example Notes");
    EXPECT_NE(box.text.find("These files are not as the install of Example Notes left them:"), std::string::npos) << box.text;
    EXPECT_NE(box.text.find("Changed: " + changed), std::string::npos) << box.text;
    EXPECT_EQ(box.text.find("readme.txt"), std::string::npos) << box.text;
    ui::Answer(box, IDOK);
    ASSERT_TRUE(program.WaitForExit(ui::DefaultTimeout));
    EXPECT_EQ(program.ExitCode(), 0u);
}

// "/LOG=" sends the run's lines to that file, appended; a path that is not full, or one reached
// through a link, is refused in setup.log, and the run goes on there.
TEST(InstallCheck, TheLogGoesWhereLogSaysWhenItIsAFullPathReachedThroughNoLink) {
    const InstalledSample sample;
    ASSERT_TRUE(sample.Installed());
    TempFolder logs, elsewhere;
    const std::string linked = logs / "linked";
    ASSERT_TRUE(MakeLink(linked, elsewhere.Path()));
    WriteTextFile(logs / "run.log", "earlier line\r\n");
    const struct {
        std::string given;
        bool taken;
    } cases[] = {
        {logs / "run.log", true},
        {"\"/LOG=" + (logs / "with blank.log") + "\"", true},
        {"run.log", false},
        {linked + "\\run.log", false},
    };
    for (const auto& each : cases) {
        const bool quoted = each.given.front() == '"';
        const std::string argument = quoted ? each.given : "/LOG=" + each.given;
        const std::string file = quoted ? logs / "with blank.log" : each.given;
        const SetupLogTail tail;
        EXPECT_EQ(RunQuietly("/S " + argument + " /VERIFY " + sample.Log(), sample.First()), Intact) << argument;
        if (each.taken) {
            EXPECT_EQ(tail.Text(), "") << argument;
            EXPECT_NE(ReadTextFile(file).find("Exit code 0"), std::string::npos) << argument;
        } else {
            EXPECT_NE(tail.Text().find(each.given + " was not used as the log"), std::string::npos) << tail.Text();
            EXPECT_NE(tail.Text().find("Exit code 0"), std::string::npos) << tail.Text();
        }
    }
    EXPECT_EQ(ReadTextFile(logs / "run.log").rfind("earlier line\r\n", 0), 0u);
    EXPECT_FALSE(FileExists(elsewhere / "run.log"));
    EXPECT_FALSE(FileExists(sample.First() + "\\run.log"));
}

// A refused log file does not stop an install: it is made, said in setup.log, and can be uninstalled.
TEST(InstallCheck, AnInstallWithALogThatIsNotAFullPathStillInstalls) {
    SetupMedia media("[Package]\nname=Logged Elsewhere\n[Licence]\nlicence=none\n[Disks]\nn=1\n[ProgramFiles01]\n"
                     "file1=%%INSTALLPATH%%\\a.txt\n",
                     "", {{{"a.txt", "a file that is installed"}}});
    ASSERT_EQ(media.Error(), "");
    TempFolder folder, logs;
    const SetupLogTail tail;
    EXPECT_EQ(RunQuietly("/S /LOG=relative.log /D=" + folder.Path(), media.First()), 0u);
    EXPECT_TRUE(FileExists(folder / "a.txt"));
    EXPECT_NE(tail.Text().find("relative.log was not used as the log"), std::string::npos) << tail.Text();
    EXPECT_NE(tail.Text().find("Exit code 0"), std::string::npos) << tail.Text();
    const SetupLogTail uninstall;
    EXPECT_EQ(RunQuietly("/LOG=" + (logs / "uninstall.log") + " /S " + (folder / "uninstal.ini"), media.First()), 0u);
    EXPECT_EQ(uninstall.Text(), "");
    EXPECT_NE(ReadTextFile(logs / "uninstall.log").find("Logged Elsewhere Successfully Uninstalled"), std::string::npos);
    EXPECT_FALSE(FileExists(folder / "a.txt"));
}
