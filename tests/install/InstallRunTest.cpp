#include <gtest/gtest.h>

#include "fsutil/MediaFolder.h"
#include "install/InstallTestBed.h"
#include "install/TestRegistry.h"
#include "setupdata/ScriptNames.h"
#include "support/FullDrive.h"
#include "support/UnixTools.h"
#include "toolkit/Application.h"

using namespace installtests;

namespace {

// What lnkinfo, a reader no one here wrote, prints for the link.
std::string LnkinfoOutput(const std::string& linkPath) {
    return RunUnixScript("lnkinfo " + ShellQuoted(UnixPathOf(linkPath)) + "\n").output;
}

bool Contains(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

}  // namespace

TEST(InstallRun, OneDiskPackageInstallsFilesKeysValuesAndShortcutsAndLogsThemInOrder) {
    InstallTestBed bed;
    TestRegistryKey keys("WholeRun");
    ASSERT_TRUE(MakeKey(HKEY_CURRENT_USER, keys.Path("Existing")));
    TempFolder menu;
    CreateDirectoryA((menu / "Programs").c_str(), nullptr);
    CreateDirectoryA((menu / "Desktop").c_str(), nullptr);
    ShellFolderOverride programs(HKEY_LOCAL_MACHINE, "Common Programs", menu / "Programs");
    ShellFolderOverride startMenu(HKEY_LOCAL_MACHINE, "Common Start Menu", menu.Path());
    ShellFolderOverride desktop(HKEY_LOCAL_MACHINE, "Common Desktop", menu / "Desktop");

    const std::vector<MediaFile> files = {{"editor.exe", SampleContent(3000, 1)},
                                          {"readme.txt", SampleContent(700, 2)},
                                          {"edcore.dll", SampleContent(1500, 3)}};
    ASSERT_TRUE(PutCompressedOnMedia(bed.media.Path(), files));
    bed.PutDiskId(1);
    bed.WriteScript("[Disks]\nn=1\n"
                    "[ProgramFiles01]\nfile1=%%INSTALLPATH%%\\editor.exe\nfile2=%%INSTALLPATH%%\\readme.txt\n"
                    "file3=%%WINSYS%%\\edcore.dll\n"
                    "[RegistryKeys]\nkey1=" + keys.Text("Editor") + "\nkey2=" + keys.Text("Existing") +
                    "\nkey3=" + keys.Text("Editor\\Settings") + "\nkey4=" + keys.Text("Editor\\Recent") + "\n"
                    "[KeyValues]\n"
                    "v1=InstallDir\nr1=key1\nd1=%%INSTALLPATH%%\nt1=String\n"
                    "v2=(Default)\nr2=key1\nd2=Example Editor\nt2=string\n"
                    "v3=Build\nr3=key3\nd3=0x102\nt3=integer\n"
                    "v4=Kept\nr4=key2\nd4=-7\nt4=dword\n"
                    "v5=Ignored\nr5=key1\nd5=1\n"
                    "[Group]\ngroup=Example Editor\n"
                    "[Icons]\ntarget1=[ProgramFiles01]file1\ntitle1=Example Editor\n"
                    "[StartButton]\ntarget1=[ProgramFiles01]file2\ntitle1=Read Me\n"
                    "[Desktop]\ntarget1=[ProgramFiles01]file1\ntitle1=Example Editor\n");

    bed.RunInstall();

    EXPECT_TRUE(bed.ui.Boxes().empty());
    EXPECT_EQ(ReadTextFile(bed.windows / "qupsetup.exe"), ReadTextFile(ProgramPath())) << "the running program";
    const std::string editor = bed.install / "editor.exe";
    const std::string readme = bed.install / "readme.txt";
    const std::string core = ::Setup.SystemDir + "\\edcore.dll";
    EXPECT_EQ(ReadTextFile(editor), files[0].second);
    EXPECT_EQ(ReadTextFile(readme), files[1].second);
    EXPECT_EQ(ReadTextFile(core), files[2].second);
    EXPECT_FALSE(FileExists(bed.temp / "editor.exe")) << "the Temp copy is removed";

    EXPECT_EQ(ReadStringValue(HKEY_CURRENT_USER, keys.Path("Editor"), "InstallDir"), bed.install.Path());
    EXPECT_EQ(ReadStringValue(HKEY_CURRENT_USER, keys.Path("Editor"), ""), "Example Editor");
    EXPECT_EQ(ReadIntegerValue(HKEY_CURRENT_USER, keys.Path("Editor\\Settings"), "Build"), 258u);
    EXPECT_EQ(ReadIntegerValue(HKEY_CURRENT_USER, keys.Path("Existing"), "Kept"), static_cast<DWORD>(-7));
    EXPECT_FALSE(ReadIntegerValue(HKEY_CURRENT_USER, keys.Path("Editor"), "Ignored"));
    EXPECT_TRUE(KeyExists(HKEY_CURRENT_USER, keys.Path("Editor\\Recent")));
    const std::string query = RegQueryOutput("HKCU\\" + keys.Path("Editor\\Settings"));
    EXPECT_TRUE(Contains(query, "Build") && Contains(query, "REG_DWORD") && Contains(query, "0x102")) << query;

    const std::string groupFolder = menu / "Programs\\Example Editor";
    const std::string groupLink = groupFolder + "\\Example Editor.lnk";
    const std::string startLink = menu / "Read Me.lnk";
    const std::string desktopLink = menu / "Desktop\\Example Editor.lnk";
    const std::string groupInfo = LnkinfoOutput(groupLink);
    EXPECT_TRUE(Contains(groupInfo, editor) && Contains(groupInfo, bed.install.Path())) << groupInfo;
    EXPECT_TRUE(Contains(LnkinfoOutput(startLink), readme));
    EXPECT_TRUE(Contains(LnkinfoOutput(desktopLink), editor));

    EXPECT_EQ(bed.Log(LogProgramFilesSection),
              (LogEntries{{"file1", editor}, {"file2", readme}, {"file3", core}, {"file4", groupLink},
                          {"file5", startLink}, {"file6", desktopLink}}));
    EXPECT_EQ(bed.Log(RegistryKeysSection), (LogEntries{{"key1", keys.Text("Editor")},
                                                        {"key2", keys.Text("Editor\\Settings")},
                                                        {"key3", keys.Text("Editor\\Recent")}}));
    EXPECT_EQ(bed.Log(DirectoriesSection), (LogEntries{{"dir1", groupFolder}}));

    EXPECT_EQ(bed.pauses, (std::vector<DWORD>{100, 500, 100, 500, 100, 500}));
    EXPECT_EQ(bed.barsAtFileEnd, (std::vector<BarPositions>{{23, 23}, {46, 46}, {69, 69}}));
    EXPECT_EQ(bed.form.RunAborted, 0);
    EXPECT_EQ(bed.form.ProgressBar1.Position(), 100);
    EXPECT_EQ(bed.form.TotalProgress.Position(), 100);
    EXPECT_EQ(bed.form.Button1.Caption(), "OK");
    EXPECT_EQ(bed.form.IProgramName.Caption(), "Example Editor Successfully Installed");
    EXPECT_EQ(bed.form.Caption(), "     Installing Example Editor - Complete");
    EXPECT_EQ(bed.form.ICurrentFile.Caption(), "");
    ShowWindow(bed.form.Handle(), SW_SHOWNA);
    SendMessageA(bed.form.Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
    EXPECT_TRUE(bed.form.Visible()) << "after a completed run only the button closes the window";
}

TEST(InstallRun, ThreeDisksAskForTheDiskThatIsMissingAndNameEachDiskOnceFound) {
    InstallTestBed bed;
    const auto files = InstallTestBed::SampleFiles("part", 3);
    ASSERT_TRUE(PutCompressedOnMedia(bed.media.Path(), files));
    bed.PutDiskId(1);
    bed.PutDiskId(3);
    bed.WriteScript("[Disks]\nn=0x3\n"
                    "[ProgramFiles01]\nf=" + bed.install / "part1.dat\n" +
                    "[ProgramFiles02]\nf=" + bed.install / "part2.dat\n" +
                    "[ProgramFiles03]\nf=" + bed.install / "part3.dat\n");
    std::vector<std::string> captionsAtFiles;
    auto recordBars = bed.ui.onPause;
    bed.ui.onPause = [&](DWORD milliseconds) {
        if (milliseconds == 500) captionsAtFiles.push_back(bed.form.Caption());
        recordBars(milliseconds);
    };
    // The user inserts disk 2 while the prompt is up; the caption still names disk 1.
    std::string captionAtPrompt;
    bed.ui.onBox = [&](const AskedBox&) {
        captionAtPrompt = bed.form.Caption();
        bed.PutDiskId(2);
    };

    bed.RunInstall();

    ASSERT_EQ(bed.ui.Boxes().size(), 1u);
    EXPECT_EQ(bed.ui.Boxes()[0].text, "If you wish to continue, please insert Disk 2 and press OK.\nOtherwise press Cancel.");
    EXPECT_EQ(bed.ui.Boxes()[0].caption, "Insert Next Disk");
    EXPECT_EQ(bed.ui.Boxes()[0].style, 0x31u);
    EXPECT_EQ(captionAtPrompt, "     Installing Example Editor...  Disk 1");
    EXPECT_EQ(captionsAtFiles, (std::vector<std::string>{"     Installing Example Editor...  Disk 1",
                                                         "     Installing Example Editor...  Disk 2",
                                                         "     Installing Example Editor...  Disk 3"}));
    for (const auto& [name, content] : files) EXPECT_EQ(ReadTextFile(bed.install / name), content) << name;
    // One file per disk: steps of 70 and 23; the bar is filled after each disk but the last.
    EXPECT_EQ(bed.barsAtFileEnd, (std::vector<BarPositions>{{100, 23}, {100, 46}, {70, 69}}));
    EXPECT_EQ(bed.Log(LogProgramFilesSection).size(), 3u);
    EXPECT_EQ(bed.form.Button1.Caption(), "OK");
}

TEST(InstallRun, CancelAtTheFirstDiskPromptEndsTheRunAfterOnlyTheSetupCopy) {
    InstallTestBed bed;
    bed.WriteScript("[Disks]\nn=1\n[ProgramFiles01]\nf=" + bed.install / "a.dat\n");
    bed.ui.AnswerBoxes({IDOK, IDCANCEL});

    bed.RunInstall();

    ASSERT_EQ(bed.ui.Boxes().size(), 2u) << "OK probes again";
    EXPECT_EQ(bed.ui.Boxes()[1].text, "If you wish to continue, please insert Disk 1 and press OK.\nOtherwise press Cancel.");
    EXPECT_TRUE(FileExists(bed.windows / "qupsetup.exe"));
    EXPECT_TRUE(bed.Log(LogProgramFilesSection).empty());
    bed.ExpectEndedEarly();
}

// Other packages' entries run the shared uninstall program: a copy that fails (a full drive)
// leaves the one there whole.
TEST(InstallRun, ACopyOfTheUninstallProgramThatFailsLeavesTheSharedOneWhole) {
    InstallTestBed bed;
    const FullDrive drive('w', 600, 8);
    if (!drive.Mounted()) GTEST_SKIP() << drive.Problem();
    const std::string shared = drive.Root() + "qupsetup.exe";
    WriteTextFile(shared, "the uninstall program another package's entry runs");
    ::Setup.WindowsDir = drive.Root();
    bed.WriteScript("[Disks]\nn=1\n[ProgramFiles01]\nf=" + bed.install / "a.dat\n");
    bed.ui.AnswerBoxes({IDCANCEL});

    bed.RunInstall();

    EXPECT_EQ(ReadTextFile(shared), "the uninstall program another package's entry runs");
    EXPECT_FALSE(FileExists(drive.Root() + "qupsetup.new"));
}
