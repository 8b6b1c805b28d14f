#include <gtest/gtest.h>

#include "install/InstallRun.h"
#include "install/InstallTestBed.h"
#include "install/TestRegistry.h"
#include "setupdata/ScriptNames.h"

using namespace installtests;

namespace {

// Start menu and desktop folders of the test's own, entered in the shell folders key of one
// root; the other root's values point elsewhere, so a link in the wrong place shows. For the
// current user the shell keeps those values in step with its own key, which is set too.
class ShellFolders {
public:
    ShellFolders(bool allUsers, TempFolder& base) {
        CreateDirectoryA((base / "Programs").c_str(), nullptr);
        CreateDirectoryA((base / "Desktop").c_str(), nullptr);
        const HKEY root = allUsers ? HKEY_LOCAL_MACHINE : HKEY_CURRENT_USER;
        const std::pair<const char*, std::string> folders[] = {
            {allUsers ? "Common Programs" : "Programs", base / "Programs"},
            {allUsers ? "Common Start Menu" : "Start Menu", base.Path()},
            {allUsers ? "Common Desktop" : "Desktop", base / "Desktop"}};
        for (const auto& [name, folder] : folders) {
            overrides_.push_back(std::make_unique<ShellFolderOverride>(root, name, folder));
            if (!allUsers)
                overrides_.push_back(std::make_unique<ShellFolderOverride>(root, name, folder, UserShellFoldersPath));
        }
    }

private:
    std::vector<std::unique_ptr<ShellFolderOverride>> overrides_;
};

constexpr const char* TargetSection = "[ProgramFiles01]\nfile1=%%INSTALLPATH%%\\editor.exe\n";

}  // namespace

TEST(InstallShortcuts, APackageForOneUserUsesThatUsersFolders) {
    InstallTestBed bed;
    ::Setup.UserScope = true;
    TempFolder user;
    TempFolder common;
    ShellFolders userFolders(false, user);
    ShellFolders commonFolders(true, common);
    bed.WriteScript(std::string(TargetSection) +
                    "[Group]\ngroup=Tools\\Example\n[Icons]\na=[ProgramFiles01]file1\nb=Editor\n"
                    "[StartButton]\na=[ProgramFiles01]file1\nb=Editor\n[Desktop]\na=[ProgramFiles01]file1\nb=Editor\n");

    EXPECT_TRUE(InstallRun(bed.form).CreateShortcuts().Ok());

    EXPECT_EQ(bed.Log(DirectoriesSection),
              (LogEntries{{"dir1", user / "Programs\\Tools"}, {"dir2", user / "Programs\\Tools\\Example"}}));
    const LogEntries links{{"file1", user / "Programs\\Tools\\Example\\Editor.lnk"},
                           {"file2", user / "Editor.lnk"},
                           {"file3", user / "Desktop\\Editor.lnk"}};
    EXPECT_EQ(bed.Log(LogProgramFilesSection), links);
    for (const auto& [key, link] : links) EXPECT_TRUE(FileExists(link)) << link;
    EXPECT_FALSE(FileExists(common / "Editor.lnk"));
}

TEST(InstallShortcuts, ExistingGroupIsLoggedOnceAndUnresolvedPairsAreSkipped) {
    InstallTestBed bed;
    TempFolder menu;
    ShellFolders folders(true, menu);
    CreateDirectoryA((menu / "Programs\\Example").c_str(), nullptr);
    bed.WriteScript(std::string(TargetSection) +
                    "[Group]\ngroup=Example\n"
                    "[Icons]\na=[ProgramFiles01]file1\nb=One\nc=[ProgramFiles02]file1\nd=Missing\n"
                    "e=[ProgramFiles01\nf=Unclosed\ng=[ProgramFiles01]file1\nh=Two\ni=[ProgramFiles01]file1\n"
                    "[StartButton]\na=ProgramFiles01]file1\nb=Lost\n");

    EXPECT_TRUE(InstallRun(bed.form).CreateShortcuts().Ok());

    EXPECT_EQ(bed.Log(DirectoriesSection), (LogEntries{{"dir1", menu / "Programs\\Example"}}));
    EXPECT_EQ(bed.Log(LogProgramFilesSection), (LogEntries{{"file1", menu / "Programs\\Example\\One.lnk"},
                                                           {"file2", menu / "Programs\\Example\\Two.lnk"}}));
    EXPECT_FALSE(FileExists(menu / "Lost.lnk")) << "a reference without its bracket loses its first letter";
}

TEST(InstallShortcuts, WithoutAGroupTheStartMenuAndDesktopShortcutsAreStillMade) {
    InstallTestBed bed;
    TempFolder menu;
    ShellFolders folders(true, menu);
    bed.WriteScript(std::string(TargetSection) +
                    "[Icons]\na=[ProgramFiles01]file1\nb=Ignored\n"
                    "[StartButton]\na=[ProgramFiles01]file1\nb=Editor\n"
                    "[Desktop]\na=[ProgramFiles01]file1\nb=Editor\nc=[ProgramFiles01]file1\nd=Editor\n");

    EXPECT_TRUE(InstallRun(bed.form).CreateShortcuts().Ok());

    EXPECT_EQ(bed.Log(DirectoriesSection), LogEntries{});
    EXPECT_EQ(bed.Log(LogProgramFilesSection), (LogEntries{{"file1", menu / "Editor.lnk"},
                                                           {"file2", menu / "Desktop\\Editor.lnk"},
                                                           {"file3", menu / "Desktop\\Editor.lnk"}}));
    EXPECT_FALSE(FileExists(menu / "Programs\\Ignored.lnk"));
    EXPECT_EQ(CurrentFolder(), bed.media.Path()) << "the current directory is left where it was";
}
