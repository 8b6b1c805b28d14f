#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <utility>
#include <vector>

#include "e2e/QuietRun.h"
#include "e2e/SetupMedia.h"
#include "e2e/UiDriver.h"
#include "support/TestFiles.h"
#include "support/UnixTools.h"

// A whole install and uninstall for a user whose Temp folder, install folder, package files,
// subfolder, shortcuts and registry data hold characters outside the Western code page, from a
// script saved as UTF-8 and one saved as Windows-1252. What was made is read back with tools no
// one here wrote: the file names from Linux, the registry with reg, the shortcuts with lnkinfo.

namespace {

// Polish, Chinese and Greek, in UTF-8 (the test program's code page, as setup.exe's).
const std::string Polish = "\xC5\x81ukasz";
const std::string Chinese = "\xE7\x8E\x8B";
const std::string Greek = "\xCE\x95\xCE\xBB\xCE\xBB\xCE\xAC\xCE\xB4\xCE\xB1";

std::string RunTag() { return "SetupNames" + std::to_string(GetCurrentProcessId()); }

std::string ProgramFilesFolder() {
    char value[MAX_PATH * 3] = {};
    DWORD size = sizeof value;
    RegGetValueA(HKEY_LOCAL_MACHINE, "Software\\Microsoft\\Windows\\CurrentVersion", "ProgramFilesDir", RRF_RT_REG_SZ,
                 nullptr, value, &size);
    return value;
}

std::string MachineText(const std::string& key, const std::string& name) {
    char value[1024] = {};
    DWORD size = sizeof value;
    RegGetValueA(HKEY_LOCAL_MACHINE, key.c_str(), name.c_str(), RRF_RT_REG_SZ, nullptr, value, &size);
    return value;
}

// The Temp folder (TEMP and TMP) moved to `folder` for the programs started while the object
// lives: they take this process's environment, as a new session takes HKCU\Environment.
class TempFolderMoved {
public:
    explicit TempFolderMoved(const std::string& folder) {
        for (const char* name : {"TEMP", "TMP"}) {
            char value[MAX_PATH * 3] = {};
            GetEnvironmentVariableA(name, value, sizeof value);
            saved_.emplace_back(name, value);
            SetEnvironmentVariableA(name, folder.c_str());
        }
    }
    ~TempFolderMoved() {
        for (const auto& [name, value] : saved_) SetEnvironmentVariableA(name, value.c_str());
    }
    TempFolderMoved(const TempFolderMoved&) = delete;
    TempFolderMoved& operator=(const TempFolderMoved&) = delete;

private:
    std::vector<std::pair<const char*, std::string>> saved_;
};

// The names in a folder as Linux lists them, one a line.
std::string LinuxListing(const std::string& folder) {
    return RunUnixScript("ls -1 " + ShellQuoted(UnixPathOf(folder)) + "\n").output;
}

bool Lists(const std::string& listing, const std::string& name) {
    return listing.find(name + "\n") != std::string::npos;
}

// The values of a section of a profile file, in file order.
std::vector<std::string> SectionValues(const std::string& file, const char* section) {
    std::string buffer(65536, '\0');
    const DWORD length = GetPrivateProfileSectionA(section, buffer.data(), static_cast<DWORD>(buffer.size()), file.c_str());
    std::vector<std::string> values;
    for (size_t start = 0; start < length;) {
        const size_t end = buffer.find('\0', start);
        const size_t equals = buffer.find('=', start);
        if (equals < end) values.push_back(buffer.substr(equals + 1, end - equals - 1));
        start = end + 1;
    }
    return values;
}

// The program shows its progress window, which offers OK at the end; pressing it ends the run.
bool EndsThroughItsProgressWindow(ProgramUnderTest& program, const char* progressClass) {
    HWND progress = ui::WaitForWindow(program.ProcessId(), progressClass);
    return progress && ui::WaitUntil([&] { return ui::FindChild(progress, "Button", "OK") != nullptr; }, 60000) &&
           ui::Press(progress, "OK") && program.WaitForExit(20000);
}

// What one package names, in the characters of one script.
struct PackageNames {
    std::string package, subfolder, file, shortcut, data;
};

class UnicodeNamesTest : public ::testing::Test {
protected:
    UnicodeNamesTest()
        : tag_(RunTag()),
          registryKey_("Software\\" + tag_),
          userFolder_("C:\\users\\" + Polish + Chinese + " " + tag_) {
        CreateDirectoryA(userFolder_.c_str(), nullptr);
        CreateDirectoryA((userFolder_ + "\\Temp").c_str(), nullptr);
    }
    ~UnicodeNamesTest() override {
        RegDeleteTreeA(HKEY_LOCAL_MACHINE, registryKey_.c_str());
        for (const std::string& folder : madeFolders_) RemoveTree(folder);
        RemoveTree(userFolder_);
    }

    // The script, its bytes as `encode` saves them (ASCII stays as it is in both encodings).
    std::string Script(const PackageNames& names) const {
        return "[Package]\r\nname=" + names.package + "\r\n[Licence]\r\nlicence=licence.txt\r\n[InstallFolder]\r\n"
               "install=%%PROGPATH%%\\" + tag_ + "\r\nsub1=" + names.subfolder + "\r\n[Disks]\r\nn=1\r\n"
               "[ProgramFiles01]\r\nfile1=%%INSTALLPATH%%\\" + names.file + "\r\nfile2=%%INSTALLPATH%%\\" +
               names.subfolder + "\\notes.txt\r\n[RegistryKeys]\r\nkey1=HKEY_LOCAL_MACHINE\\" + registryKey_ +
               "\r\n[KeyValues]\r\nvalue1=InstallDir\r\nregkey1=key1\r\ndata1=%%INSTALLPATH%%\r\ntype1=string\r\n"
               "value2=Owner\r\nregkey2=key1\r\ndata2=" + names.data + "\r\ntype2=string\r\n[Group]\r\ngroup=" + tag_ +
               "\r\n[Icons]\r\ntarget1=[ProgramFiles01]file1\r\ntitle1=" + names.shortcut +
               "\r\n[Desktop]\r\ntarget1=[ProgramFiles01]file1\r\ntitle1=" + names.shortcut + " " + tag_ + "\r\n";
    }

    // Checks what the install made, as `names` (in UTF-8) say, and returns the installed log.
    std::string ExpectInstalled(const std::string& folder, const PackageNames& names) {
        const std::string listing = LinuxListing(folder);
        EXPECT_TRUE(Lists(listing, names.file)) << listing;
        EXPECT_TRUE(Lists(listing, names.subfolder)) << listing;
        EXPECT_TRUE(Lists(LinuxListing(folder + "\\" + names.subfolder), "notes.txt"));
        EXPECT_EQ(ReadTextFile(folder + "\\" + names.file), FileContent);

        const UnixCommandResult query = RunUnixScript("wine reg query " + ShellQuoted("HKLM\\" + registryKey_) + "\n");
        EXPECT_EQ(query.exitCode, 0) << query.output;
        EXPECT_NE(query.output.find("Owner"), std::string::npos) << query.output;
        EXPECT_EQ(MachineText(registryKey_, "InstallDir"), folder);
        EXPECT_EQ(MachineText(registryKey_, "Owner"), names.data);

        const std::string log = folder + "\\uninstal.ini";
        EXPECT_EQ(ReadTextFile(log).substr(0, 2), "\xFF\xFE") << "the log is UTF-16";
        int shortcuts = 0;
        for (const std::string& path : SectionValues(log, "ProgramFiles")) {
            if (path.size() < 4 || path.substr(path.size() - 4) != ".lnk") continue;
            ++shortcuts;
            EXPECT_NE(path.find(names.shortcut), std::string::npos) << path;
            const UnixCommandResult link = RunUnixScript("lnkinfo " + ShellQuoted(UnixPathOf(path)) + "\n");
            EXPECT_EQ(link.exitCode, 0) << path << link.output;
            // Its working folder, which the link holds in UTF-16. (Wine keeps the target's path only in
            // the code page of the program that made the link, which lnkinfo reads as Windows-1252.)
            EXPECT_NE(link.output.find(": " + folder + "\n"), std::string::npos) << link.output;
        }
        EXPECT_EQ(shortcuts, 2) << "program group and desktop";
        return log;
    }

    // Everything the log names is gone.
    void ExpectRemoved(const std::string& folder, const std::vector<std::string>& logged) {
        EXPECT_FALSE(FolderExists(folder));
        for (const std::string& path : logged) EXPECT_FALSE(FileExists(path)) << path;
        HKEY key = nullptr;
        EXPECT_NE(RegOpenKeyExA(HKEY_LOCAL_MACHINE, registryKey_.c_str(), 0, KEY_READ, &key), ERROR_SUCCESS);
    }

    void Shot(HWND window, const std::string& name) {
        EXPECT_TRUE(ui::SaveScreenshot(window, ScreenshotFolder(shots_.Path()) + "\\" + name + ".bmp")) << name;
    }

    static inline const std::string FileContent = "A package file whose name is not in the Western code page.\n";

    std::string tag_;
    std::string registryKey_;
    std::string userFolder_;  // its Temp folder is the one the tests move Temp to
    std::vector<std::string> madeFolders_;
    TempFolder shots_;
};

}  // namespace

// UTF-8, through every window: the folder typed into the destination dialog, the licence shown
// as written, and the uninstall started from the log.
TEST_F(UnicodeNamesTest, Utf8ScriptInstallsThroughTheWindowsAndUninstalls) {
    const PackageNames names{Polish + " " + Chinese + " " + Greek, Polish + " " + Chinese, Greek + " " + Chinese + ".txt",
                             Polish + " " + Greek, Chinese + " " + Polish + " " + Greek};
    const std::string licence = "Terms for " + Polish + ", " + Chinese + " and " + Greek + ".";
    const TempFolderMoved temp(userFolder_ + "\\Temp");
    const SetupMedia media(Script(names), licence, {{{names.file, FileContent}, {"notes.txt", FileContent}}});
    ASSERT_EQ(media.Error(), "");
    const std::string chosen = ProgramFilesFolder() + "\\" + tag_ + " " + Greek;
    const std::string folder = chosen + "\\" + Polish + Chinese;
    madeFolders_ = {chosen};

    ProgramUnderTest setup(SetupExeIn(media.First()), "", media.First());
    HWND main = ui::WaitForWindow(setup.ProcessId(), "TMainForm");
    ASSERT_NE(main, nullptr);
    EXPECT_EQ(ui::TextOf(main), "Setup for " + names.package);
    Shot(main, "names-main");
    ASSERT_TRUE(ui::Press(main, "&Continue"));
    HWND licenceForm = ui::WaitForWindow(setup.ProcessId(), "TLicenceForm");
    ASSERT_NE(licenceForm, nullptr);
    EXPECT_EQ(ui::TextOf(ui::FindChild(licenceForm, "Edit")), licence);
    ASSERT_TRUE(ui::Press(licenceForm, "I &Agree"));
    HWND destination = ui::WaitForWindow(setup.ProcessId(), "TInstallForm");
    ASSERT_NE(destination, nullptr);
    ui::Type(ui::FindChild(destination, "Edit"), folder);
    Shot(destination, "names-destination");
    ASSERT_TRUE(ui::Press(destination, "&Install"));
    ui::Box create = ui::WaitForMessageBox(setup.ProcessId());
    EXPECT_NE(create.text.find("Folder " + folder + " does not exist."), std::string::npos) << create.text;
    ui::Answer(create, IDYES);
    ASSERT_TRUE(EndsThroughItsProgressWindow(setup, "TProgressForm"));

    const std::string log = ExpectInstalled(folder, names);
    const std::vector<std::string> logged = SectionValues(log, "ProgramFiles");
    ProgramUnderTest uninstall(SetupExePath(), log, media.First());
    HWND uninstallMain = ui::WaitForWindow(uninstall.ProcessId(), "TMainForm");
    ASSERT_NE(uninstallMain, nullptr);
    ASSERT_TRUE(ui::Press(uninstallMain, "U&ninstall"));
    ui::Box sure = ui::WaitForMessageBox(uninstall.ProcessId());
    EXPECT_EQ(sure.caption, "  Uninstall " + names.package);
    ui::Answer(sure, IDYES);
    ASSERT_TRUE(EndsThroughItsProgressWindow(uninstall, "TUninstallForm"));
    ExpectRemoved(folder, logged);
}

// Windows-1252, unattended, on media made by the Windows setup-media: the folder given with
// /D= holds what no script could; the user's Temp, moved to a name of every script, is not where
// an elevated run keeps anything.
TEST_F(UnicodeNamesTest, Windows1252ScriptInstallsUnattendedAndUninstalls) {
    const PackageNames western{"Caf\xE9 M\xFCller", "Stra\xDF" "e \x80", "M\xFCller caf\xE9.txt", "Caf\xE9 \xA9",
                               "\x80 caf\xE9 \xDF"};
    const PackageNames names{"Caf\xC3\xA9 M\xC3\xBCller", "Stra\xC3\x9F" "e \xE2\x82\xAC", "M\xC3\xBCller caf\xC3\xA9.txt",
                             "Caf\xC3\xA9 \xC2\xA9", "\xE2\x82\xAC caf\xC3\xA9 \xC3\x9F"};
    const SetupMedia media(Script(western), "Terms.", {{{names.file, FileContent}, {"notes.txt", FileContent}}},
                           MediaMaker::WindowsTool);
    ASSERT_EQ(media.Error(), "");
    const std::string compressed = "M\xC3\xBCller caf\xC3\xA9.tx_";
    EXPECT_TRUE(Lists(LinuxListing(media.First()), compressed)) << LinuxListing(media.First());
    // Moved after the media are made, as an author would make them on another machine.
    const TempFolderMoved temp(userFolder_ + "\\Temp");
    const std::string chosen = ProgramFilesFolder() + "\\" + tag_ + " " + Polish;
    const std::string folder = chosen + "\\" + Chinese + " " + Greek;
    madeFolders_ = {chosen};

    const SetupLogTail told;
    EXPECT_EQ(RunQuietly("/S /D=" + folder, media.First()), 0u) << told.Text();
    EXPECT_NE(told.Text().find(folder), std::string::npos) << told.Text();
    EXPECT_FALSE(FileExists(userFolder_ + "\\Temp\\setup.log")) << "the user's environment names that folder";
    const std::string log = ExpectInstalled(folder, names);
    const std::vector<std::string> logged = SectionValues(log, "ProgramFiles");
    EXPECT_EQ(RunQuietly("/S " + log, media.First()), 0u);
    ExpectRemoved(folder, logged);
}
