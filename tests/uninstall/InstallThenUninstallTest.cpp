#include <gtest/gtest.h>

#include "fsutil/Directories.h"
#include "fsutil/FinalPath.h"
#include "install/InstallTestBed.h"
#include "install/TestRegistry.h"
#include "uninstall/UninstallForm.h"

using namespace installtests;

namespace {

// Puts the command line back; the install test bed leaves it alone.
class CommandLineScope {
public:
    CommandLineScope() : saved_(::Setup.CommandLine) {}
    ~CommandLineScope() { ::Setup.CommandLine = saved_; }
    CommandLineScope(const CommandLineScope&) = delete;
    CommandLineScope& operator=(const CommandLineScope&) = delete;

private:
    std::string saved_;
};

}  // namespace

TEST(InstallThenUninstall, TheLogOfAnInstallTakesBackExactlyWhatItMade) {
    InstallTestBed bed;
    const CommandLineScope commandLine;
    const TestRegistryKey keys("InstallThenUninstall");
    ASSERT_TRUE(MakeKey(HKEY_CURRENT_USER, keys.Path("Existing")));
    TempFolder menu;
    CreateDirectoryA((menu / "Programs").c_str(), nullptr);
    CreateDirectoryA((menu / "Desktop").c_str(), nullptr);
    const ShellFolderOverride programs(HKEY_LOCAL_MACHINE, "Common Programs", menu / "Programs");
    const ShellFolderOverride startMenu(HKEY_LOCAL_MACHINE, "Common Start Menu", menu.Path());
    const ShellFolderOverride desktop(HKEY_LOCAL_MACHINE, "Common Desktop", menu / "Desktop");

    // The folders as folder preparation makes and logs them.
    ::Setup.InstallFolder = bed.install / "Example Editor";
    ASSERT_TRUE(CreateDirectoryPath(::Setup.InstallFolder + "\\Samples"));
    const std::vector<MediaFile> files = {{"editor.exe", SampleContent(3000, 1)}, {"readme.txt", SampleContent(700, 2)}};
    ASSERT_TRUE(PutCompressedOnMedia(bed.media.Path(), files));
    bed.PutDiskId(1);
    bed.WriteScript("[Disks]\nn=1\n"
                    "[ProgramFiles01]\nfile1=%%INSTALLPATH%%\\editor.exe\nfile2=%%INSTALLPATH%%\\Samples\\readme.txt\n"
                    "[RegistryKeys]\nkey1=" + keys.Text("Editor") + "\nkey2=" + keys.Text("Existing") + "\n"
                    "[KeyValues]\nv1=Path\nr1=key1\nd1=%%INSTALLPATH%%\nt1=string\n"
                    "v2=Kept\nr2=key2\nd2=1\nt2=integer\n"
                    "[Group]\ngroup=Example Editor\n"
                    "[Icons]\ntarget1=[ProgramFiles01]file1\ntitle1=Example Editor\n"
                    "[Desktop]\ntarget1=[ProgramFiles01]file1\ntitle1=Example Editor\n");
    bed.RunInstall();
    ASSERT_EQ(bed.form.RunAborted, 0);
    const std::string editor = ::Setup.InstallFolder + "\\editor.exe";
    const std::string desktopLink = menu / "Desktop\\Example Editor.lnk";
    ASSERT_TRUE(FileExists(editor));
    ASSERT_TRUE(FileExists(desktopLink));

    // The log left in the install folder, and its Temp copy that the uninstall works on.
    const std::string installedLog = ::Setup.InstallFolder + "\\uninstal.ini";
    ASSERT_TRUE(CopyFileA(::Setup.UninstallLog->Path().c_str(), installedLog.c_str(), FALSE));
    ::Setup.CommandLine = installedLog;
    ::Setup.InstalledLogFinalPath = FinalPath(installedLog);
    TUninstallForm uninstall;
    EXPECT_TRUE(uninstall.FormActivate().Ok());

    EXPECT_FALSE(FolderExists(::Setup.InstallFolder));
    EXPECT_FALSE(FolderExists(menu / "Programs\\Example Editor"));
    EXPECT_FALSE(FileExists(desktopLink));
    EXPECT_TRUE(FolderExists(menu / "Desktop"));
    EXPECT_TRUE(FolderExists(bed.install.Path()));
    EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, keys.Path("Editor")));
    // Not made by the install, so not logged: the key stays with the value written into it.
    EXPECT_EQ(ReadIntegerValue(HKEY_CURRENT_USER, keys.Path("Existing"), "Kept"), 1u);
    EXPECT_FALSE(FileExists(bed.temp / "uninstal.ini"));
    EXPECT_EQ(uninstall.UProgramName.Caption(), "Example Editor Successfully Uninstalled");
}
