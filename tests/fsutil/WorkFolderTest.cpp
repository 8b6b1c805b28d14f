#include <gtest/gtest.h>

#include <windows.h>
#include <sddl.h>

#include "fsutil/WorkFolder.h"
#include "support/HeldOpenFile.h"
#include "support/SetupStateScope.h"
#include "support/SimulatedRestart.h"
#include "support/TestFiles.h"
#include "support/UnixTools.h"

namespace {

std::string CurrentUserSid() {
    HANDLE token = nullptr;
    OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &token);
    BYTE buffer[256];
    DWORD size = 0;
    GetTokenInformation(token, TokenUser, buffer, sizeof buffer, &size);
    CloseHandle(token);
    char* sid = nullptr;
    ConvertSidToStringSidA(reinterpret_cast<TOKEN_USER*>(buffer)->User.Sid, &sid);
    const std::string result = sid ? sid : "";
    LocalFree(sid);
    return result;
}

}  // namespace

TEST(WorkFolder, IsMadeFreshUnderAnUnpredictableNameForTheRunsAccountAlone) {
    TempFolder temp;
    const std::string first = MakeWorkFolder(temp.Path() + "\\");
    const std::string second = MakeWorkFolder(temp.Path() + "\\");
    ASSERT_FALSE(first.empty());
    EXPECT_NE(first, second);
    EXPECT_EQ(first.rfind(temp.Path() + "\\setup-", 0), 0u) << first;
    EXPECT_EQ(first.size(), temp.Path().size() + 1 + 6 + 16 + 1) << "sixteen random hex digits";
    EXPECT_TRUE(FolderExists(first));

    // Protected from what the Temp folder would pass on; full access for the account, and, as
    // the tests run elevated, for the administrators and the system; no one else.
    EXPECT_EQ(WorkFolderAccess(), "D:P(A;OICI;FA;;;" + CurrentUserSid() + ")(A;OICI;FA;;;BA)(A;OICI;FA;;;SY)");
    // Wine keeps no access lists on its files but acts on this one through the Unix permissions:
    // a folder made without it is open to others.
    const UnixCommandResult modes = RunUnixScript("stat -c %a " + ShellQuoted(UnixPathOf(first)) + " " +
                                                  ShellQuoted(UnixPathOf(temp.Path())) + "\n");
    ASSERT_EQ(modes.exitCode, 0) << modes.output;
    EXPECT_EQ(modes.output.substr(0, 4), "750\n") << modes.output;
    EXPECT_NE(modes.output.substr(6, 1), "0") << "the Temp folder itself is open to others: " << modes.output;
    EXPECT_EQ(MakeWorkFolder(temp / "missing\\"), "") << "no Temp folder, no working folder";
}

TEST(WorkFolder, IsRemovedWithItsFilesAndWhatIsInUseGoesAtTheRestart) {
    TempFolder temp;
    SetupStateScope state;
    ::Setup.IsWindowsNT = 1;
    const std::string folder = MakeWorkFolder(temp.Path() + "\\");
    WriteTextFile(folder + "install.ini", "[Package]\nname=Working copy\n");
    WriteTextFile(folder + "uninstal.ini", "[Package]\nname=Working copy\n");
    RemoveWorkFolder(folder);
    EXPECT_FALSE(FolderExists(folder));

    const std::string busyFolder = MakeWorkFolder(temp.Path() + "\\");
    WriteTextFile(busyFolder + "expanded.dat", "a file still held open");
    const SimulatedRestart restart;
    HeldOpenFile busy(busyFolder + "expanded.dat");
    RemoveWorkFolder(busyFolder);
    EXPECT_TRUE(restart.IsScheduled(busyFolder + "expanded.dat"));
    EXPECT_TRUE(::Setup.RestartScheduled);
    busy.Close();
    EXPECT_TRUE(restart.Restart());
    EXPECT_FALSE(FolderExists(busyFolder));
}
