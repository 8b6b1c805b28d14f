#include <gtest/gtest.h>

#include <windows.h>
#include <shlobj.h>

#include <ostream>
#include <string>
#include <vector>

#include "e2e/DesktopMoved.h"
#include "e2e/QuietRun.h"
#include "e2e/SetupMedia.h"
#include "e2e/UiDriver.h"
#include "support/TestFiles.h"

namespace {

struct Scope {
    const char* name;     // the script's scope=
    const char* folder;   // the script's install folder
    HKEY root;
    const char* rootName;
    int folders;          // the shell's folder the test installs into with /D=
};
const Scope Machine{"machine", "%%PROGPATH%%\\", HKEY_LOCAL_MACHINE, "HKEY_LOCAL_MACHINE", CSIDL_PROGRAM_FILES};
const Scope User{"user", "%%USERPROGRAMS%%\\", HKEY_CURRENT_USER, "HKEY_CURRENT_USER", CSIDL_LOCAL_APPDATA};

void PrintTo(const Scope& scope, std::ostream* out) { *out << scope.name; }

// A small package of `version`: its files, one key with a value, one desktop shortcut, each named
// after the version that brings it, and both.txt in every version.
std::string Script(const Scope& scope, const std::string& package, const std::string& version, const std::string& only) {
    return "[Package]\nname=" + package + "\nuninstallentry=yes\nversion=" + version + "\nscope=" + scope.name +
           "\n[Licence]\nlicence=none\n[InstallFolder]\ninstall=" + scope.folder + package +
           "\n[Disks]\nn=1\n[ProgramFiles01]\nfile1=%%INSTALLPATH%%\\both.txt\nfile2=%%INSTALLPATH%%\\" + only +
           ".txt\n[RegistryKeys]\nkey1=" + scope.rootName + "\\Software\\" + package + "\\" + only +
           "\n[KeyValues]\nvalue1=Made\nregkey1=key1\ndata1=" + version + "\ntype1=string\n[Desktop]\n1=[ProgramFiles01]file2\n2=" +
           package + " " + only + "\n";
}

SetupMedia Version(const Scope& scope, const std::string& package, const std::string& version, const std::string& only) {
    return SetupMedia(Script(scope, package, version, only), "",
                      {{{"both.txt", "both of version " + version + std::string(40, '.')},
                        {only + ".txt", "only in " + only + std::string(40, '.')}}});
}

std::string ShellFolder(int csidl) {
    char path[MAX_PATH] = {};
    SHGetFolderPathA(nullptr, csidl, nullptr, 0, path);
    return path;
}

std::string EntryValue(const Scope& scope, const std::string& package, const char* name) {
    char text[512] = {};
    DWORD size = sizeof text;
    const std::string key = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\" + package;
    if (RegGetValueA(scope.root, key.c_str(), name, RRF_RT_REG_SZ, nullptr, text, &size) != ERROR_SUCCESS) return {};
    return text;
}

bool KeyExists(const Scope& scope, const std::string& path) {
    HKEY key = nullptr;
    if (RegOpenKeyExA(scope.root, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
    RegCloseKey(key);
    return true;
}

// The [ProgramFiles] entries of the log in `folder`, as key=value lines.
std::vector<std::string> LoggedFiles(const std::string& folder) {
    char lines[8192] = {};
    const DWORD size = GetPrivateProfileSectionA("ProgramFiles", lines, sizeof lines, (folder + "\\uninstal.ini").c_str());
    std::vector<std::string> files;
    for (DWORD at = 0; at < size; at += static_cast<DWORD>(strlen(lines + at)) + 1) files.emplace_back(lines + at);
    return files;
}

// The desktop shortcut the log in `folder` names whose path ends in `end`; empty when none.
std::string LoggedLink(const std::string& folder, const std::string& end) {
    for (const std::string& line : LoggedFiles(folder))
        if (line.size() > end.size() && line.compare(line.size() - end.size(), end.size(), end) == 0)
            return line.substr(line.find('=') + 1);
    return {};
}

class Upgrade : public ::testing::TestWithParam<Scope> {};

}  // namespace

// Version 1 into a folder given with /D=, version 2 with /S alone: it goes where version 1 is, and
// leaves what version 2 ships and only that (the person's own file stays); one entry, of version 2.
// An older version then changes nothing (1638); a version 3 whose media lack a file fails and leaves
// version 2 whole; one uninstall removes everything.
TEST_P(Upgrade, VersionTwoReplacesVersionOneWhereItIs) {
    const Scope& scope = GetParam();
    const std::string package = std::string("Upgraded ") + scope.name + " " + std::to_string(GetCurrentProcessId());
    const SetupMedia one = Version(scope, package, "1.9", "v1"), two = Version(scope, package, "1.10", "v2");
    const SetupMedia three = Version(scope, package, "3.0", "v3");
    ASSERT_EQ(one.Error(), "");
    ASSERT_EQ(two.Error(), "");
    ASSERT_EQ(three.Error(), "");
    TempFolder desktop;
    const DesktopMoved moved(desktop.Path());
    const std::string keys = "Software\\" + package;
    const std::string folder = ShellFolder(scope.folders) + "\\Chosen " + std::to_string(GetCurrentProcessId());

    ASSERT_EQ(RunQuietly("/S /D=" + folder, one.First()), 0u);
    ASSERT_TRUE(FileExists(folder + "\\v1.txt"));
    const std::string oldLink = LoggedLink(folder, " v1.lnk");
    ASSERT_TRUE(FileExists(oldLink)) << oldLink;
    WriteTextFile(folder + "\\mine.txt", "the person's own");

    ASSERT_EQ(RunQuietly("/S", two.First()), 0u);
    EXPECT_FALSE(FileExists(folder + "\\v1.txt"));
    EXPECT_FALSE(FileExists(oldLink));
    EXPECT_FALSE(KeyExists(scope, keys + "\\v1"));
    EXPECT_TRUE(FileExists(folder + "\\v2.txt"));
    const std::string link = LoggedLink(folder, " v2.lnk");
    EXPECT_TRUE(FileExists(link)) << link;
    EXPECT_TRUE(KeyExists(scope, keys + "\\v2"));
    EXPECT_EQ(ReadTextFile(folder + "\\both.txt").substr(0, 24), "both of version 1.10....");
    EXPECT_EQ(ReadTextFile(folder + "\\mine.txt"), "the person's own");
    EXPECT_EQ(EntryValue(scope, package, "DisplayVersion"), "1.10");
    EXPECT_EQ(EntryValue(scope, package, "InstallLocation"), folder);
    EXPECT_EQ(LoggedFiles(folder).size(), 3u) << "both.txt, v2.txt and the shortcut";

    const SetupLogTail older;
    EXPECT_EQ(RunQuietly("/S", one.First()), 1638u);
    EXPECT_NE(older.Text().find(package + " 1.10 is installed, which is newer than the version 1.9"), std::string::npos)
        << older.Text();
    EXPECT_FALSE(FileExists(folder + "\\v1.txt"));
    EXPECT_EQ(EntryValue(scope, package, "DisplayVersion"), "1.10");

    // Version 3's media lack its own file: the install fails, and version 2 stays whole.
    for (const char* name : {"\\v3.tx_", "\\v3.txt"}) DeleteFileA((three.First() + name).c_str());
    EXPECT_EQ(RunQuietly("/S", three.First()), 1603u);
    EXPECT_EQ(ReadTextFile(folder + "\\both.txt").substr(0, 24), "both of version 1.10....");
    EXPECT_TRUE(FileExists(folder + "\\v2.txt"));
    EXPECT_TRUE(FileExists(link));
    EXPECT_TRUE(KeyExists(scope, keys + "\\v2"));
    EXPECT_FALSE(KeyExists(scope, keys + "\\v3"));
    EXPECT_EQ(EntryValue(scope, package, "DisplayVersion"), "1.10");

    EXPECT_EQ(RunQuietly("/S " + folder + "\\uninstal.ini", two.First()), 0u);
    EXPECT_FALSE(FileExists(folder + "\\both.txt"));
    EXPECT_FALSE(FileExists(folder + "\\v2.txt"));
    EXPECT_FALSE(FileExists(folder + "\\uninstal.ini"));
    EXPECT_FALSE(FileExists(link));
    EXPECT_FALSE(KeyExists(scope, keys + "\\v2"));
    EXPECT_EQ(EntryValue(scope, package, "DisplayName"), "");
    EXPECT_EQ(ReadTextFile(folder + "\\mine.txt"), "the person's own");
    DeleteFileA((folder + "\\mine.txt").c_str());
    RemoveDirectoryA(folder.c_str());
}

INSTANTIATE_TEST_SUITE_P(Scopes, Upgrade, ::testing::Values(Machine, User),
                         [](const ::testing::TestParamInfo<Scope>& scope) { return std::string(scope.param.name); });

// In the window: the destination proposed is the earlier install's folder, not the script's; an
// older version asks first, No being the default, and No makes nothing.
TEST(UpgradeWindowed, ProposesTheEarlierFolderAndAsksBeforeAnOlderVersion) {
    const std::string package = "Upgraded windowed " + std::to_string(GetCurrentProcessId());
    const SetupMedia one = Version(Machine, package, "1.0", "v1"), two = Version(Machine, package, "2.0", "v2");
    ASSERT_EQ(one.Error(), "");
    ASSERT_EQ(two.Error(), "");
    TempFolder target;
    const std::string folder = target / "Where It Is";
    ASSERT_EQ(RunQuietly("/S /D=" + folder, one.First()), 0u);
    {
        ProgramUnderTest setup(SetupExeIn(two.First()), "", two.First());
        HWND main = ui::WaitForWindow(setup.ProcessId(), "TMainForm");
        ASSERT_NE(main, nullptr);
        ui::Press(main, "&Continue");
        HWND destination = ui::WaitForWindow(setup.ProcessId(), "TInstallForm");
        ASSERT_NE(destination, nullptr);
        EXPECT_EQ(ui::TextOf(ui::FindChild(destination, "Edit")), folder);
        ui::Press(destination, "E&xit");
        const ui::Box quit = ui::WaitForMessageBox(setup.ProcessId());
        ASSERT_NE(quit.window, nullptr);
        ui::Answer(quit, IDYES);
        EXPECT_TRUE(setup.WaitForExit(20000));
    }
    ASSERT_EQ(RunQuietly("/S", two.First()), 0u);
    ASSERT_TRUE(FileExists(folder + "\\v2.txt"));

    ProgramUnderTest older(SetupExeIn(one.First()), "", one.First());
    const ui::Box question = ui::WaitForMessageBox(older.ProcessId());
    ASSERT_NE(question.window, nullptr);
    EXPECT_NE(question.text.find(package + " 2.0 is installed, which is newer than the version 1.0"), std::string::npos)
        << question.text;
    // Enter takes the default answer, which must be No.
    const HWND focused = ui::FocusedControl(question.window);
    ui::PressKey(focused ? focused : question.window, VK_RETURN);
    EXPECT_TRUE(older.WaitForExit(20000));
    EXPECT_FALSE(FileExists(folder + "\\v1.txt"));
    EXPECT_TRUE(FileExists(folder + "\\v2.txt"));
    EXPECT_EQ(EntryValue(Machine, package, "DisplayVersion"), "2.0");
    EXPECT_EQ(RunQuietly("/S " + folder + "\\uninstal.ini", two.First()), 0u);
    EXPECT_EQ(EntryValue(Machine, package, "DisplayName"), "");
}
