#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "e2e/QuietRun.h"
#include "e2e/SetupMedia.h"
#include "setupdata/ProfileFile.h"
#include "support/KeysSetAside.h"
#include "support/TestFiles.h"
#include "support/UnixTools.h"

namespace {

constexpr DWORD Failed = 1603;

// Two files of a package.
SetupMedia TwoFilePackage(const std::string& name, const std::string& extra = "") {
    return SetupMedia("[Package]\nname=" + name + "\n" + extra + "[Licence]\nlicence=none\n[Disks]\nn=1\n[ProgramFiles01]\n"
                     "file1=%%INSTALLPATH%%\\shared.dll\nfile2=%%INSTALLPATH%%\\late.txt\n",
                      "", {{{"shared.dll", "the package's shared.dll"}, {"late.txt", "a file that comes later"}}});
}

std::string EntryUninstallString(const std::string& package) {
    char value[1024] = {};
    DWORD size = sizeof value;
    if (RegGetValueA(HKEY_LOCAL_MACHINE, ("Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\" + package).c_str(),
                     "UninstallString", RRF_RT_REG_SZ, nullptr, value, &size) != ERROR_SUCCESS)
        return {};
    return value;
}

// The records' key made volatile for as long as the object lives (the records there before are
// set aside and put back): a record, which must outlive a restart, cannot be made below it.
class RecordsRefused {
public:
    RecordsRefused() {
        HKEY key = nullptr;
        made_ = RegCreateKeyExA(HKEY_LOCAL_MACHINE, Records, 0, nullptr, REG_OPTION_VOLATILE, KEY_ALL_ACCESS, nullptr,
                                &key, nullptr) == ERROR_SUCCESS;
        RegCloseKey(key);
    }
    bool Made() const { return made_; }

private:
    static constexpr const char* Records = "Software\\qupsetup";
    const KeysSetAside earlier_{{Records}};
    bool made_ = false;
};

}  // namespace

// An install whose log cannot be recorded leaves a log no uninstall would carry out: it fails,
// and unattended it is undone.
TEST(InstallSafety, AnInstallWhoseRecordCannotBeWrittenFailsAndIsUndone) {
    const SetupMedia media = TwoFilePackage("Unrecorded Install");
    ASSERT_EQ(media.Error(), "");
    TempFolder target;
    const std::string folder = target / "Unrecorded";
    const SetupLogTail told;
    {
        const RecordsRefused refused;
        ASSERT_TRUE(refused.Made());
        EXPECT_EQ(RunQuietly("/S /D=" + folder, media.First()), Failed);
    }
    EXPECT_NE(told.Text().find("could not be recorded under HKEY_LOCAL_MACHINE\\Software\\qupsetup"), std::string::npos)
        << told.Text();
    EXPECT_NE(told.Text().find("removing what it made"), std::string::npos) << told.Text();
    EXPECT_NE(told.Text().find("The install of Unrecorded Install was undone"), std::string::npos) << told.Text();
    EXPECT_EQ(told.Text().find("Successfully Uninstalled"), std::string::npos) << "an undo is no uninstall";
    EXPECT_FALSE(FolderExists(folder));
}

// Undoing a failed unattended install removes what it made and puts back what it replaced: a
// file that was there before, and the entry an earlier install of the package made. (It fails at
// its very end here: its log cannot be staged where a folder of that name stands.)
TEST(InstallSafety, AFailedUnattendedInstallPutsBackWhatItReplaced) {
    const std::string package = "Put Back " + std::to_string(GetCurrentProcessId());
    const SetupMedia media = TwoFilePackage(package, "uninstallentry=yes\n");
    ASSERT_EQ(media.Error(), "");
    TempFolder target;
    ASSERT_EQ(RunQuietly("/S /D=" + (target / "Earlier"), media.First()), 0u);
    const std::string earlierEntry = EntryUninstallString(package);
    ASSERT_NE(earlierEntry.find(target / "Earlier\\uninstal.ini"), std::string::npos) << earlierEntry;

    const std::string folder = target / "Over";
    ASSERT_TRUE(CreateDirectoryA(folder.c_str(), nullptr));
    WriteTextFile(folder + "\\shared.dll", "the shared.dll that was there before");
    ASSERT_TRUE(CreateDirectoryA((folder + "\\uninstal.new").c_str(), nullptr));
    const SetupLogTail told;
    EXPECT_EQ(RunQuietly("/S /D=" + folder, media.First()), Failed);
    EXPECT_NE(told.Text().find("removing what it made"), std::string::npos) << told.Text();
    EXPECT_EQ(ReadTextFile(folder + "\\shared.dll"), "the shared.dll that was there before");
    EXPECT_FALSE(FileExists(folder + "\\late.txt"));
    EXPECT_FALSE(FileExists(folder + "\\uninstal.ini"));
    EXPECT_EQ(EntryUninstallString(package), earlierEntry) << "the earlier install's entry is back";

    EXPECT_EQ(RunQuietly("/S " + (target / "Earlier\\uninstal.ini"), media.First()), 0u);
    EXPECT_EQ(EntryUninstallString(package), "");
}

// Someone who can make a folder under C:\ makes it a link to another program's folder before an
// administrator installs there: the install refuses the folder and writes nothing through it.
TEST(InstallSafety, AnInstallFolderReachedThroughALinkIsRefused) {
    const SetupMedia media = TwoFilePackage("Linked Folder");
    ASSERT_EQ(media.Error(), "");
    TempFolder target, other;
    WriteTextFile(other / "shared.dll", "another program's shared.dll");
    const std::string link = target / "Example";
    ASSERT_TRUE(MakeLink(link, other.Path()));
    for (const std::string& folder : {link, link + "\\Sub"}) {
        const SetupLogTail told;
        EXPECT_EQ(RunQuietly("/S /D=" + folder, media.First()), Failed) << folder;
        EXPECT_NE(told.Text().find(link + " is reached through a link"), std::string::npos) << told.Text();
    }
    EXPECT_EQ(ReadTextFile(other / "shared.dll"), "another program's shared.dll");
    EXPECT_FALSE(FolderExists(other / "Sub"));
}

// A folder inside the install folder that was replaced by a link between the check of the
// install folder and the writing of a file: the file is not written through it.
TEST(InstallSafety, ADestinationFolderReachedThroughALinkGetsNothing) {
    const SetupMedia media("[Package]\nname=Linked Data\n[Licence]\nlicence=none\n[Disks]\nn=1\n"
                           "[InstallFolder]\ninstall=C:\\x\nsub=Data\n[ProgramFiles01]\nfile1=%%INSTALLPATH%%\\Data\\data.txt\n",
                           "", {{{"data.txt", "the package's data"}}});
    ASSERT_EQ(media.Error(), "");
    TempFolder target, other;
    const std::string folder = target / "App";
    ASSERT_TRUE(CreateDirectoryA(folder.c_str(), nullptr));
    ASSERT_TRUE(MakeLink(folder + "\\Data", other.Path()));
    const SetupLogTail told;
    EXPECT_EQ(RunQuietly("/S /D=" + folder, media.First()), Failed);
    EXPECT_NE(told.Text().find(folder + "\\Data is reached through a link"), std::string::npos) << told.Text();
    EXPECT_FALSE(FileExists(other / "data.txt"));
    RunUnixScript("rm " + ShellQuoted(UnixPathOf(folder + "\\Data")) + "\n");
}

// The folder given with /D= is used as the platform spells it in full: no doubled separators in
// the log, no ".." step leaving a folder of its own behind.
TEST(InstallSafety, TheGivenFolderIsMadeCanonicalBeforeUse) {
    const SetupMedia media("[Package]\nname=Canonical Folder\n[Licence]\nlicence=none\n[Disks]\nn=1\n[ProgramFiles01]\n"
                           "file1=%%INSTALLPATH%%\\a.txt\n",
                           "", {{{"a.txt", "a file of the canonical package"}}});
    ASSERT_EQ(media.Error(), "");
    TempFolder target;
    ASSERT_EQ(RunQuietly("/S /D=" + target.Path() + "\\Q3\\", media.First()), 0u);
    EXPECT_EQ(ProfileFile(target / "Q3\\uninstal.ini").ReadValue("ProgramFiles", "file1", ""), target / "Q3\\a.txt");
    ASSERT_EQ(RunQuietly("/S /D=" + target.Path() + "\\A\\..\\B", media.First()), 0u);
    EXPECT_TRUE(FileExists(target / "B\\a.txt"));
    EXPECT_FALSE(FolderExists(target / "A"));
}
