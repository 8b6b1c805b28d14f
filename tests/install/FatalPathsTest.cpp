#include <gtest/gtest.h>

#include "install/InstallTestBed.h"
#include "install/TestRegistry.h"
#include "setupdata/ScriptNames.h"

using namespace installtests;

namespace {

void ExpectFatalBox(const InstallTestBed& bed, const std::string& text) {
    ASSERT_EQ(bed.ui.Boxes().size(), 1u);
    EXPECT_EQ(bed.ui.Boxes()[0].text, text);
    EXPECT_EQ(bed.ui.Boxes()[0].caption, "Fatal Error");
    EXPECT_EQ(bed.ui.Boxes()[0].style, static_cast<UINT>(MB_OK | MB_ICONERROR));
}

// Two files on one disk, the second of which the test spoils in its own way.
class TwoFileDisk {
public:
    explicit TwoFileDisk(InstallTestBed& bed) : bed_(bed) {
        EXPECT_TRUE(PutCompressedOnMedia(bed.media.Path(), files));
        bed.PutDiskId(1);
    }
    std::string FirstDest() const { return bed_.install / files[0].first; }

    const std::vector<MediaFile> files = InstallTestBed::SampleFiles("good", 2);

private:
    InstallTestBed& bed_;
};

}  // namespace

TEST(InstallFatalPaths, InvalidDiskCountEndsTheRunBeforeAnythingIsCopied) {
    for (const std::string disks : {"", "n=0\n", "n=-3\n", "n=abc\n", "n=2x\n"}) {
        SCOPED_TRACE(disks);
        InstallTestBed bed;
        bed.PutDiskId(1);
        bed.WriteScript("[Disks]\n" + disks);
        bed.RunInstall();
        ExpectFatalBox(bed, "Invalid number of disks");
        EXPECT_FALSE(FileExists(bed.windows / "qupsetup.exe"));
        EXPECT_EQ(bed.form.IProgramName.Caption(), "Copying Example Editor Support Files:");
        EXPECT_EQ(bed.form.Caption(), "     Installing Example Editor...  Disk 1");
        bed.ExpectEndedEarly();
    }
}

TEST(InstallFatalPaths, FileMissingFromTheMediaEndsTheRunAfterTheFilesBeforeIt) {
    InstallTestBed bed;
    TwoFileDisk disk(bed);
    bed.WriteScript("[Disks]\nn=2\n[ProgramFiles01]\n" + InstallTestBed::ProgramFilesLines(bed.install.Path(), disk.files) +
                    "absent=" + bed.install / "absent.dat\n[ProgramFiles02]\nf=" + bed.install / "later.dat\n");
    bed.RunInstall();
    ExpectFatalBox(bed, "Error expanding absent.dat");
    EXPECT_EQ(bed.Log(LogProgramFilesSection),
              (LogEntries{{"file1", disk.FirstDest()}, {"file2", bed.install / disk.files[1].first}}));
    EXPECT_EQ(bed.Log(RegistryKeysSection), LogEntries{});
    EXPECT_EQ(bed.form.Caption(), "     Installing Example Editor...  Disk 1") << "disk 2 is never asked for";
    bed.ExpectEndedEarly();
}

TEST(InstallFatalPaths, DestinationThatCannotBeWrittenIsRefusedAndItsTempCopyRemoved) {
    InstallTestBed bed;
    TwoFileDisk disk(bed);
    bed.WriteScript("[Disks]\nn=1\n[ProgramFiles01]\na=" + disk.FirstDest() + "\nb=" + bed.install /
                    "missing folder\\" + disk.files[1].first + "\n");
    bed.RunInstall();
    ExpectFatalBox(bed, "Error installing " + disk.files[1].first);
    EXPECT_FALSE(FileExists(bed.temp / disk.files[1].first));
    EXPECT_EQ(bed.Log(LogProgramFilesSection), (LogEntries{{"file1", disk.FirstDest()}}));
    bed.ExpectEndedEarly();
}

// A destination that names a folder, existing or not, has no file name to expand: the message
// names the entry as the script gives it, and nothing of it is made.
TEST(InstallFatalPaths, DestinationWithoutAFileNameIsNamedAsTheScriptGivesIt) {
    for (const std::string dest : {"%%INSTALLPATH%%\\", "%%INSTALLPATH%%\\New Folder\\"}) {
        SCOPED_TRACE(dest);
        InstallTestBed bed;
        TwoFileDisk disk(bed);
        bed.WriteScript("[Disks]\nn=1\n[ProgramFiles01]\na=" + disk.FirstDest() + "\nb=" + dest + "\n");
        bed.RunInstall();
        ExpectFatalBox(bed, "Error expanding " + dest);
        EXPECT_FALSE(FileExists(bed.install / "New Folder"));
        EXPECT_EQ(bed.Log(LogProgramFilesSection), (LogEntries{{"file1", disk.FirstDest()}}));
        bed.ExpectEndedEarly();
    }
}

TEST(InstallFatalPaths, APackageFileNamedLikeAWorkingCopyIsInstalledAndLeavesTheWorkingCopiesAlone) {
    for (const std::string name : {"install.ini", "UNINSTAL.INI"}) {
        SCOPED_TRACE(name);
        InstallTestBed bed;
        const std::string content = "[Package]\nname=Planted by the package\n";
        EXPECT_TRUE(PutCompressedOnMedia(bed.media.Path(), {{name, content}}));
        bed.PutDiskId(1);
        bed.WriteScript("[Disks]\nn=1\n[ProgramFiles01]\na=" + bed.install / name + "\n");
        const std::string script = ReadTextFile(bed.temp / "install.ini");
        bed.RunInstall();
        EXPECT_EQ(ReadTextFile(bed.temp / "install.ini"), script);
        EXPECT_EQ(ReadTextFile(bed.install / name), content);
        EXPECT_EQ(bed.Log(LogProgramFilesSection), (LogEntries{{"file1", bed.install / name}}));
    }
}

TEST(InstallFatalPaths, DestinationBeyondThePathLimitIsRefusedBeforeItIsExpanded) {
    InstallTestBed bed;
    TwoFileDisk disk(bed);
    const std::string tooLong = "%%INSTALLPATH%%\\" + std::string(260 - bed.install.Path().size(), 'd') + "\\" +
                                disk.files[1].first;
    bed.WriteScript("[Disks]\nn=1\n[ProgramFiles01]\na=" + disk.FirstDest() + "\nb=" + tooLong + "\n");
    bed.RunInstall();
    ExpectFatalBox(bed, "Error installing " + disk.files[1].first);
    EXPECT_FALSE(FileExists(bed.temp / disk.files[1].first));
    EXPECT_EQ(bed.Log(LogProgramFilesSection), (LogEntries{{"file1", disk.FirstDest()}}));
    bed.ExpectEndedEarly();
}

TEST(InstallFatalPaths, KeyThatCannotBeCreatedEndsTheRunBeforeValuesAndShortcuts) {
    InstallTestBed bed;
    TestRegistryKey keys("CannotCreate");
    // The registry refuses a lasting key below a volatile one.
    HKEY volatileKey = nullptr;
    ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, keys.Path("Volatile").c_str(), 0, nullptr, REG_OPTION_VOLATILE,
                              KEY_ALL_ACCESS, nullptr, &volatileKey, nullptr),
              ERROR_SUCCESS);
    RegCloseKey(volatileKey);
    TwoFileDisk disk(bed);
    bed.WriteScript("[Disks]\nn=1\n[ProgramFiles01]\na=" + disk.FirstDest() + "\n[RegistryKeys]\nk1=" +
                    keys.Text("Made") + "\nk2=" + keys.Text("Volatile\\Lasting") + "\nk3=" + keys.Text("Never") +
                    "\n[KeyValues]\nv=Name\nr=k1\nd=text\nt=string\n"
                    "[Desktop]\nt=[ProgramFiles01]a\nn=Example Editor\n");
    bed.RunInstall();
    ExpectFatalBox(bed, "Error creating registry key " + keys.Text("Volatile\\Lasting"));
    EXPECT_EQ(bed.Log(LogProgramFilesSection), (LogEntries{{"file1", disk.FirstDest()}}));
    EXPECT_EQ(bed.Log(RegistryKeysSection), (LogEntries{{"key1", keys.Text("Made")}}));
    EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, keys.Path("Never")));
    EXPECT_FALSE(ReadStringValue(HKEY_CURRENT_USER, keys.Path("Made"), "Name"));
    EXPECT_EQ(bed.form.IProgramName.Caption(), "Writing Example Editor Registry Entries:");
    bed.ExpectEndedEarly();
}

TEST(InstallFatalPaths, ValueGroupNamingNoListedKeyEndsTheRunAfterTheValuesBeforeIt) {
    InstallTestBed bed;
    TestRegistryKey keys("Corrupt");
    bed.PutDiskId(1);
    bed.WriteScript("[Disks]\nn=1\n[RegistryKeys]\nk1=" + keys.Text("A") +
                    "\n[KeyValues]\nv1=First\nr1=k1\nd1=1\nt1=integer\nv2=Second\nr2=k9\nd2=2\nt2=integer\n"
                    "v3=Third\nr3=k1\nd3=3\nt3=integer\n");
    bed.RunInstall();
    ExpectFatalBox(bed, "Corrupt KeyValues entry");
    EXPECT_EQ(ReadIntegerValue(HKEY_CURRENT_USER, keys.Path("A"), "First"), 1u);
    EXPECT_FALSE(ReadIntegerValue(HKEY_CURRENT_USER, keys.Path("A"), "Third"));
    EXPECT_EQ(bed.Log(RegistryKeysSection), (LogEntries{{"key1", keys.Text("A")}}));
    bed.ExpectEndedEarly();
}

TEST(InstallFatalPaths, BadIntegerIsReportedAsAnErrorAndLeavesTheRunNotAborted) {
    InstallTestBed bed;
    TestRegistryKey keys("BadInteger");
    bed.PutDiskId(1);
    bed.WriteScript("[Disks]\nn=1\n[RegistryKeys]\nk1=" + keys.Text("A") +
                    "\n[KeyValues]\nv1=Build\nr1=k1\nd1=12x\nt1=integer\n");
    // An error raised inside the activation reaches the default error report at the dispatch point.
    bed.form.Show();
    ASSERT_EQ(bed.ui.Boxes().size(), 1u);
    EXPECT_EQ(bed.ui.Boxes()[0].text, "'12x' is not a valid integer value.");
    EXPECT_EQ(bed.Log(RegistryKeysSection), (LogEntries{{"key1", keys.Text("A")}}));
    EXPECT_EQ(bed.form.RunAborted, 0);
    EXPECT_EQ(bed.form.Button1.Caption(), "&Cancel");
    SendMessageA(bed.form.Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
    EXPECT_TRUE(bed.form.Visible()) << "only the button closes a window whose run was ended by an error";
    bed.form.Button1.Click();
    EXPECT_FALSE(bed.form.Visible());
}

TEST(InstallFatalPaths, KeyTextBeyondThePathLimitIsRefusedNotCut) {
    InstallTestBed bed;
    TestRegistryKey keys("TooLong");
    bed.PutDiskId(1);
    const std::string longName(260 - keys.Text().size(), 'k');
    const std::string tooLong = keys.Text(longName);
    bed.WriteScript("[Disks]\nn=1\n[RegistryKeys]\nk1=" + keys.Text("Short") + "\nk2=" + tooLong + "\n");
    bed.RunInstall();
    ExpectFatalBox(bed, "Error creating registry key " + tooLong.substr(0, 100) + "...");
    EXPECT_EQ(bed.Log(RegistryKeysSection), (LogEntries{{"key1", keys.Text("Short")}}));
    EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, keys.Path(longName)));
    bed.ExpectEndedEarly();
}

// The log takes the expanded files in batches: files it could not take are removed at once, so
// that the undo, which knows only what the log records, leaves none of them behind.
TEST(InstallFatalPaths, FilesTheLogCannotRecordAreRemovedAndTheRunEndsWithTheLogsFailure) {
    InstallTestBed bed;
    TwoFileDisk disk(bed);
    bed.WriteScript("[Disks]\nn=1\n[ProgramFiles01]\n" + InstallTestBed::ProgramFilesLines(bed.install.Path(), disk.files));
    const std::string unwritable = bed.temp / "no such folder\\uninstal.ini";
    ::Setup.UninstallLog = std::make_unique<ProfileFile>(unwritable);

    const Status run = bed.form.FormActivate();

    EXPECT_EQ(run.Message(), "Unable to write to " + unwritable);
    for (const MediaFile& file : disk.files) EXPECT_FALSE(FileExists(bed.install / file.first)) << file.first;
}
