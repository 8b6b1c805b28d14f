#include <gtest/gtest.h>

#include <algorithm>

#include "fsutil/FileNames.h"
#include "support/UnixTools.h"
#include "toolkit/Application.h"
#include "uninstall/ShownRecorder.h"
#include "uninstall/UninstallFixture.h"

using namespace uninstalltests;

namespace {

const std::string HKCU = "HKEY_CURRENT_USER\\";

std::vector<int> Range(int first, int last, int by) {
    std::vector<int> values;
    for (int v = first; v <= last; v += by) values.push_back(v);
    return values;
}

std::vector<std::string> NumberedPaths(const std::string& folder, int count) {
    std::vector<std::string> paths;
    for (int i = 1; i <= count; ++i) paths.push_back(folder + "\\file" + std::to_string(i) + ".dat");
    return paths;
}

// Each entry is shown and painted as it goes, unless a test asks for the window's own pace.
class UninstallRunTest : public UninstallFixture {
protected:
    UninstallRunTest() { Application::Instance().answerInterval = 0; }
    ~UninstallRunTest() override { Application::Instance().answerInterval = pace_; }

    const ULONGLONG pace_ = Application::Instance().answerInterval;
};

}  // namespace

TEST_F(UninstallRunTest, RemovesWhatTheLogRecordsAndLeavesEverythingElse) {
    const TestKey key(HKEY_CURRENT_USER);
    const std::string programs = disk_ / "Programs";  // there before the install
    const std::string folder = programs + "\\Example Editor";
    const std::string group = disk_ / "Start Menu\\Example Editor";
    for (const std::string& made :
         {programs, folder, folder + "\\Samples", folder + "\\Samples\\Deep", disk_ / "Start Menu", group})
        ASSERT_TRUE(CreateDirectoryA(made.c_str(), nullptr));
    const std::vector<std::string> files = {folder + "\\editor.exe", folder + "\\Samples\\readme.txt",
                                            programs + "\\edcore.dll", group + "\\Example Editor.lnk"};
    MakeFiles(files);
    const std::string letter = folder + "\\letter.doc";  // the user's, made after the install
    WriteTextFile(letter, "Dear Sir");
    MakeKeyWithValue(HKEY_CURRENT_USER, key / "Existing");  // there before the install
    for (const char* created : {"Created", "Existing\\Added"}) MakeKeyWithValue(HKEY_CURRENT_USER, key / created);

    LeaveLog(folder + "\\uninstal.ini",
             {{folder, folder + "\\Samples", folder + "\\Samples\\Deep", group},
              files,
              {HKCU + key / "Created", HKCU + key / "Existing\\Added"}});
    Run();

    for (const std::string& file : files) EXPECT_FALSE(FileExists(file)) << file;
    EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, key / "Created"));
    EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, key / "Existing\\Added"));
    EXPECT_TRUE(KeyHasItsValue(HKEY_CURRENT_USER, key / "Existing"));
    // Innermost first: Samples can only go after Deep.
    EXPECT_FALSE(FolderExists(folder + "\\Samples"));
    EXPECT_FALSE(FolderExists(group));
    EXPECT_TRUE(FolderExists(disk_ / "Start Menu"));
    EXPECT_TRUE(FolderExists(programs));
    EXPECT_EQ(ReadTextFile(letter), "Dear Sir");
    EXPECT_FALSE(FileExists(folder + "\\uninstal.ini"));
    EXPECT_FALSE(FileExists(TempLog()));
    EXPECT_EQ(form_.Caption(), "     Uninstalling Example Editor - Complete");
    EXPECT_EQ(form_.Button1.Caption(), "OK");
}

TEST_F(UninstallRunTest, ShowsEachEntryThenStepsTheBarAndEndsComplete) {
    const TestKey key(HKEY_CURRENT_USER);
    const std::string folder = disk_ / "Example";
    ASSERT_TRUE(CreateDirectoryA(folder.c_str(), nullptr));
    const std::vector<std::string> files = NumberedPaths(folder, 3);
    MakeFiles(files);
    const std::string longName(40, 'k');
    const std::string longKey = HKCU + key / longName;
    for (const std::string& created : {std::string("One"), longName}) MakeKeyWithValue(HKEY_CURRENT_USER, key / created);
    LeaveLog(folder + "\\uninstal.ini", {{folder}, files, {HKCU + key / "One", longKey}});
    const ShownRecorder recorder(form_);
    Run();

    const std::vector<std::string> expected = {
        "UProgramName=Deleting Example Editor Support Files:",
        "caption=     Uninstalling Example Editor...",
        "UCurrentFile=" + files[0], "bar=16",
        "UCurrentFile=" + files[1], "bar=32",
        "UCurrentFile=" + files[2], "bar=48",
        "UProgramName=Deleting Example Editor Registry Entries:",
        // Both keys are cut to the same text, which is not sent again.
        "UCurrentFile=" + DisplayText(HKCU + key / "One"), "bar=73", "bar=98",
        "UCurrentFile=", "bar=100", "Button1=OK",
        "UProgramName=Example Editor Successfully Uninstalled",
        "caption=     Uninstalling Example Editor - Complete",
    };
    EXPECT_EQ(recorder.Shown(), expected);
    // Each entry shown is painted before the bar moves on.
    const std::vector<std::string>& events = recorder.Events();
    for (size_t i = 0; i + 1 < events.size(); ++i) {
        if (events[i].starts_with("UCurrentFile=") && events[i] != "UCurrentFile=") {
            EXPECT_EQ(events[i + 1], "UCurrentFile painted") << events[i];
        }
    }
    // The install folder held the installed files and the log only.
    EXPECT_FALSE(FolderExists(folder));
    EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, key / "One"));
}

TEST_F(UninstallRunTest, LongLogShowsTheLatestEntryAsTheWindowAnswersAndEachPhaseEndsOnItsLast) {
    Application::Instance().answerInterval = pace_;
    const std::string folder = disk_ / "Long";
    ASSERT_TRUE(CreateDirectoryA(folder.c_str(), nullptr));
    const std::vector<std::string> files = NumberedPaths(folder, 300);
    MakeFiles(files);
    LeaveLog(folder + "\\uninstal.ini", {{folder}, files, {}});
    const ShownRecorder recorder(form_);
    Run();

    std::vector<std::string> shown;
    bool painted = true;
    for (const std::string& event : recorder.Events()) {
        if (event == "UCurrentFile painted") painted = true;
        if (!event.starts_with("UCurrentFile=") || event == "UCurrentFile=") continue;
        EXPECT_TRUE(painted) << "painted before the next entry replaced it: " << shown.back();
        shown.push_back(event.substr(13));
        painted = false;
    }
    EXPECT_TRUE(painted);
    ASSERT_FALSE(shown.empty());
    EXPECT_LT(shown.size(), files.size() / 2) << "not every entry is fitted and painted";
    EXPECT_TRUE(std::includes(files.begin(), files.end(), shown.begin(), shown.end(),
                              [&](const std::string& a, const std::string& b) {
                                  return std::find(files.begin(), files.end(), a) < std::find(files.begin(), files.end(), b);
                              }))
        << "shown in the log's order";
    EXPECT_EQ(shown.back(), files.back()) << "the phase's last entry stays shown until the next phase";
    EXPECT_FALSE(FolderExists(folder));
}

// Anyone who can write the install folder's parent swaps the folder for a link after the log was
// read: the file named like the log where the link leads is not the log, and stays.
TEST_F(UninstallRunTest, TheInstalledLogGoesOnlyWhileItsPathReachesTheLogThatWasRead) {
    const std::string folder = disk_ / "Swapped", moved = disk_ / "Moved", victim = disk_ / "Victim";
    for (const std::string& made : {folder, victim}) ASSERT_TRUE(CreateDirectoryA(made.c_str(), nullptr));
    LeaveLog(folder + "\\uninstal.ini", {{}, {}, {}});
    WriteTextFile(victim + "\\uninstal.ini", "someone else's");
    ASSERT_TRUE(MoveFileA(folder.c_str(), moved.c_str()));
    ASSERT_EQ(RunUnixScript("ln -s " + ShellQuoted(UnixPathOf(victim)) + " " + ShellQuoted(UnixPathOf(folder)) + "\n")
                  .exitCode,
              0);
    Run();
    EXPECT_EQ(ReadTextFile(victim + "\\uninstal.ini"), "someone else's");
    RunUnixScript("rm " + ShellQuoted(UnixPathOf(folder)) + "\n");

    // Where it stays, the log read goes as before.
    ASSERT_TRUE(MoveFileA(moved.c_str(), folder.c_str()));
    LeaveLog(folder + "\\uninstal.ini", {{folder}, {}, {}});
    Run();
    EXPECT_FALSE(FolderExists(folder));
}

TEST_F(UninstallRunTest, StepIsFiftyOverTheCountCutTowardZero) {
    for (const int count : {50, 60}) {
        SCOPED_TRACE(count);
        const std::string folder = disk_ / ("Example" + std::to_string(count));
        ASSERT_TRUE(CreateDirectoryA(folder.c_str(), nullptr));
        const std::vector<std::string> files = NumberedPaths(folder, count);
        MakeFiles(files);
        LeaveLog(folder + "\\uninstal.ini", {{folder}, files, {}});
        form_.ProgressBar1.SetPosition(0);
        const ShownRecorder recorder(form_);
        Run();
        // A bar that stands is not told its position again.
        std::vector<int> expected = count == 50 ? Range(1, 50, 1) : std::vector<int>{};
        expected.push_back(100);
        EXPECT_EQ(recorder.BarPositions(), expected);
        EXPECT_FALSE(FolderExists(folder));
    }
}

TEST_F(UninstallRunTest, KeysUnderRootsItDoesNotKnowAreShownAndSteppedButKept) {
    const TestKey mine(HKEY_CURRENT_USER);
    const TestKey config(HKEY_CURRENT_CONFIG);
    const TestKey machine(HKEY_LOCAL_MACHINE);
    for (const char* name : {"Known", "Lower"}) MakeKeyWithValue(HKEY_CURRENT_USER, mine / name);
    MakeKeyWithValue(HKEY_CURRENT_CONFIG, config / "Example");
    MakeKeyWithValue(HKEY_LOCAL_MACHINE, machine / "Example");
    const std::vector<std::string> keys = {
        "HKEY_CURRENT_CONFIG\\" + config / "Example",
        "HKLM\\" + machine / "Example",
        "hkey_current_user\\" + mine / "Lower",
        "HKEY_CURRENT_USER",
        HKCU + mine / "Known",
    };
    LeaveLog(temp_ / "installed.ini", {{}, {}, keys});
    const ShownRecorder recorder(form_);
    Run();

    EXPECT_TRUE(KeyHasItsValue(HKEY_CURRENT_CONFIG, config / "Example"));
    EXPECT_TRUE(KeyHasItsValue(HKEY_LOCAL_MACHINE, machine / "Example"));
    EXPECT_TRUE(KeyHasItsValue(HKEY_CURRENT_USER, mine / "Lower"));
    EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, mine / "Known"));
    // No files: the bar stands at 0 until the keys move it.
    EXPECT_EQ(recorder.BarPositions(), (std::vector<int>{10, 20, 30, 40, 50, 100}));
    std::vector<std::string> shownKeys;
    for (const std::string& event : recorder.Shown())
        if (event.starts_with("UCurrentFile=") && event != "UCurrentFile=") shownKeys.push_back(event.substr(13));
    // Deepest first: the root alone after every key below it.
    std::vector<std::string> expectedKeys;
    for (const size_t i : {0, 1, 2, 4, 3}) expectedKeys.push_back(DisplayText(keys[i]));
    EXPECT_EQ(shownKeys, expectedKeys);
}

TEST_F(UninstallRunTest, ValuesLongerThanAPathArePassedOverNotCut) {
    const TestKey key(HKEY_CURRENT_USER);
    const auto padTo = [](const std::string& start, size_t length) {
        return start + std::string(length - start.size(), 'x');
    };
    // Each long value's first 259 characters name something that must survive.
    const std::string longFile = padTo(disk_ / "f", 270);
    const std::string longFolder = padTo(disk_ / "d", 270);
    const std::string longKey = padTo(HKCU + key / "k", 270);
    const std::string cutFile = longFile.substr(0, 259);
    WriteTextFile(cutFile, "someone else's");
    ASSERT_TRUE(CreateDirectoryA(longFolder.substr(0, 259).c_str(), nullptr));
    MakeKeyWithValue(HKEY_CURRENT_USER, longKey.substr(18, 259 - 18));
    MakeKeyWithValue(HKEY_CURRENT_USER, longKey.substr(18));
    const std::string shortFile = disk_ / "short.txt";
    MakeFiles({shortFile});

    LeaveLog(temp_ / "installed.ini", {{longFolder}, {longFile, shortFile}, {longKey}});
    const ShownRecorder recorder(form_);
    Run();

    EXPECT_EQ(ReadTextFile(cutFile), "someone else's");
    EXPECT_TRUE(FolderExists(longFolder.substr(0, 259)));
    EXPECT_TRUE(KeyHasItsValue(HKEY_CURRENT_USER, longKey.substr(18, 259 - 18)));
    EXPECT_TRUE(KeyHasItsValue(HKEY_CURRENT_USER, longKey.substr(18)));
    EXPECT_FALSE(FileExists(shortFile));
    // Two files, then one key that fills its half at once; the end finds the bar full already.
    EXPECT_EQ(recorder.BarPositions(), (std::vector<int>{25, 50, 100}));
}

TEST_F(UninstallRunTest, LogWithThousandsOfFilesIsUninstalledCompletely) {
    // Well past the 1,033 entries a fixed 8192-byte list of key names would hold.
    const std::string folder = disk_ / "Big";
    ASSERT_TRUE(CreateDirectoryA(folder.c_str(), nullptr));
    const std::vector<std::string> files = NumberedPaths(folder, 2000);
    MakeFiles(files);
    LeaveLog(folder + "\\uninstal.ini", {{folder}, files, {}});
    Run();
    EXPECT_EQ(std::count_if(files.begin(), files.end(), FileExists), 0);
    EXPECT_FALSE(FolderExists(folder));
    EXPECT_EQ(form_.ProgressBar1.Position(), 100);
}
