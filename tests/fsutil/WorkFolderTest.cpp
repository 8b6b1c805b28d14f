#include <gtest/gtest.h>

#include <windows.h>
#include <sddl.h>

#include "fsutil/WorkFolder.h"
#include "state/SetupState.h"
#include "support/HeldOpenFile.h"
#include "support/SetupStateScope.h"
#include "support/SimulatedRestart.h"
#include "support/TestFiles.h"
#include "support/UnixTools.h"

namespace {

std::string WellKnownSid(WELL_KNOWN_SID_TYPE type) {
    BYTE sid[SECURITY_MAX_SID_SIZE];
    DWORD size = sizeof sid;
    char* text = nullptr;
    if (!CreateWellKnownSid(type, nullptr, sid, &size) || !ConvertSidToStringSidA(sid, &text)) return {};
    const std::string result = text;
    LocalFree(text);
    return result;
}

// Who a descriptor lets in and who owns it, read back by the platform from its text.
struct Granted {
    std::string owner;
    std::vector<std::string> allowed;  // the accounts of its allowing entries
    bool protectedFromParent = false;
    bool othersDenied = true;  // no entry but allowing ones
};

Granted ReadDescriptor(const std::string& sddl) {
    Granted granted;
    PSECURITY_DESCRIPTOR descriptor = nullptr;
    if (!ConvertStringSecurityDescriptorToSecurityDescriptorA(sddl.c_str(), SDDL_REVISION_1, &descriptor, nullptr))
        return granted;
    PSID owner = nullptr;
    BOOL defaulted = FALSE, present = FALSE;
    char* text = nullptr;
    if (GetSecurityDescriptorOwner(descriptor, &owner, &defaulted) && owner && ConvertSidToStringSidA(owner, &text)) {
        granted.owner = text;
        LocalFree(text);
    }
    SECURITY_DESCRIPTOR_CONTROL control = 0;
    DWORD revision = 0;
    GetSecurityDescriptorControl(descriptor, &control, &revision);
    granted.protectedFromParent = (control & SE_DACL_PROTECTED) != 0;
    PACL dacl = nullptr;
    if (GetSecurityDescriptorDacl(descriptor, &present, &dacl, &defaulted) && present && dacl) {
        for (DWORD i = 0; i < dacl->AceCount; ++i) {
            ACE_HEADER* ace = nullptr;
            GetAce(dacl, i, reinterpret_cast<void**>(&ace));
            if (ace->AceType != ACCESS_ALLOWED_ACE_TYPE) {
                granted.othersDenied = false;
                continue;
            }
            auto* allowed = reinterpret_cast<ACCESS_ALLOWED_ACE*>(ace);
            if (ConvertSidToStringSidA(&allowed->SidStart, &text)) {
                granted.allowed.push_back(text);
                LocalFree(text);
            }
        }
    }
    LocalFree(descriptor);
    return granted;
}

std::string UserSid() {
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

// What an unelevated run of this account plans, in another parent.
WorkFolderPlan UserPlan(const std::string& parent) {
    WorkFolderPlan plan = PlanWorkFolder(false, UserSid());
    plan.parents = {parent};
    return plan;
}

std::string WindowsTemp() {
    char windows[MAX_PATH];
    GetWindowsDirectoryA(windows, MAX_PATH);
    return std::string(windows) + "\\Temp\\";
}

}  // namespace

TEST(WorkFolder, AnAdministratorsRunWorksWhereOnlyAdministratorsCanChangeAnything) {
    const std::string user = UserSid();
    const WorkFolderPlan elevated = PlanWorkFolder(true, user);
    // Wine has no SystemTemp: the Windows folder's Temp, never the user's.
    ASSERT_EQ(elevated.parents.size(), 1u);
    EXPECT_EQ(lstrcmpiA(elevated.parents[0].c_str(), WindowsTemp().c_str()), 0) << elevated.parents[0];
    EXPECT_EQ(elevated.leftoverOwners, (std::vector<std::string>{WellKnownSid(WinBuiltinAdministratorsSid),
                                                                 WellKnownSid(WinLocalSystemSid)}))
        << "a folder the user made in a shared Temp is not the run's to empty";
    const Granted admin = ReadDescriptor(elevated.access);
    EXPECT_EQ(admin.owner, WellKnownSid(WinBuiltinAdministratorsSid)) << "not the user, who could rewrite the access";
    EXPECT_EQ(admin.allowed, (std::vector<std::string>{WellKnownSid(WinLocalSystemSid),
                                                       WellKnownSid(WinBuiltinAdministratorsSid)}));
    EXPECT_TRUE(admin.protectedFromParent);

    const WorkFolderPlan ordinary = PlanWorkFolder(false, user);
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    EXPECT_EQ(ordinary.parents, std::vector<std::string>{temp});
    EXPECT_EQ(ordinary.leftoverOwners, std::vector<std::string>{user});
    const Granted own = ReadDescriptor(ordinary.access);
    EXPECT_EQ(own.allowed, std::vector<std::string>{user});
    EXPECT_TRUE(own.protectedFromParent && own.othersDenied);
    EXPECT_EQ(PlanWorkFolder(false, "").access, "") << "an account that cannot be told gets no folder";
    // An elevated run works where only administrators can write whatever its package's scope: its
    // account's ordinary programs can write that account's Temp.
    SetupStateScope scope;
    for (const bool userScope : {false, true}) {
        ::Setup.UserScope = userScope;
        ::Setup.Elevated = true;
        EXPECT_EQ(lstrcmpiA(PlanForThisRun().parents.back().c_str(), WindowsTemp().c_str()), 0) << userScope;
        ::Setup.Elevated = false;
        EXPECT_EQ(PlanForThisRun().parents, std::vector<std::string>{temp}) << userScope;
    }
}

TEST(WorkFolder, IsMadeFreshHeldOpenAndClearsWhatEndedRunsLeft) {
    TempFolder temp;
    const WorkFolderPlan plan = UserPlan(temp.Path() + "\\");
    // A run that was killed left its folder, with its working copies, unheld.
    const std::string leftover = temp / "setup-00112233445566ff";
    CreateDirectoryA(leftover.c_str(), nullptr);
    WriteTextFile(leftover + "\\expanded.tmp", "half expanded");
    const std::string notOurs = temp / "setup-notes";
    CreateDirectoryA(notOurs.c_str(), nullptr);
    // One killed half-way through an install: its log is all that says what was made.
    const std::string interrupted = temp / "setup-aa112233445566ff";
    CreateDirectoryA(interrupted.c_str(), nullptr);
    WriteTextFile(interrupted + "\\expanded.tmp", "half expanded");
    WriteTextFile(interrupted + "\\uninstal.ini", "[Package]\r\nname=Cut Short\r\n[ProgramFiles]\r\nfile1=C:\\App\\a.txt\r\n");
    // One that had moved a file aside to replace it: the file is someone's original.
    const std::string replacing = temp / "setup-bb112233445566ff";
    CreateDirectoryA(replacing.c_str(), nullptr);
    WriteTextFile(replacing + "\\kept-1.tmp", "the original shared.dll");
    WriteTextFile(replacing + "\\kept.ini", "[Kept]\r\nkept-1.tmp=C:\\App\\shared.dll\r\n");
    WriteTextFile(replacing + "\\expanded.tmp", "half expanded");

    const std::string first = MakeWorkFolder(plan).Value();
    ASSERT_FALSE(first.empty());
    EXPECT_FALSE(FolderExists(leftover));
    EXPECT_TRUE(FolderExists(notOurs)) << "only names a run would choose";
    EXPECT_TRUE(FileExists(interrupted + "\\uninstal.ini"));
    EXPECT_FALSE(FileExists(interrupted + "\\expanded.tmp"));
    EXPECT_EQ(ReadTextFile(replacing + "\\kept-1.tmp"), "the original shared.dll");
    EXPECT_TRUE(FileExists(replacing + "\\kept.ini")) << "what says where it was";
    EXPECT_EQ(first.rfind(plan.parents[0] + "setup-", 0), 0u) << first;
    EXPECT_EQ(first.size(), plan.parents[0].size() + 6 + 16 + 1) << "sixteen random hex digits";
    // Held while the run lasts: no one renames it away to put a link in its place.
    EXPECT_FALSE(MoveFileA(first.c_str(), (temp / "moved").c_str()));
    // Wine acts on the access list through the Unix permissions: others are shut out.
    const UnixCommandResult modes = RunUnixScript("stat -c %a " + ShellQuoted(UnixPathOf(first)) + "\n");
    EXPECT_EQ(modes.output.substr(0, 4), "750\n") << modes.output;

    // A running run's folder is not taken for a leftover by the next one.
    const std::string second = MakeWorkFolder(plan).Value();
    EXPECT_NE(first, second);
    EXPECT_TRUE(FolderExists(second));
    const Result<std::string> none = MakeWorkFolder(UserPlan(temp / "missing\\"));
    EXPECT_FALSE(none.Ok()) << "no parent, no working folder";
    EXPECT_NE(none.Message().find(temp / "missing"), std::string::npos) << none.Message();
}

TEST(WorkFolder, IsRemovedWithItsFilesAndWhatIsInUseGoesAtTheRestartUnannounced) {
    TempFolder temp;
    SetupStateScope state;
    ::Setup.IsWindowsNT = 1;
    const WorkFolderPlan plan = UserPlan(temp.Path() + "\\");
    const std::string folder = MakeWorkFolder(plan).Value();
    WriteTextFile(folder + "install.ini", "[Package]\nname=Working copy\n");
    WriteTextFile(folder + "uninstal.ini", "[Package]\nname=Working copy\n");
    RemoveWorkFolder(folder);
    EXPECT_FALSE(FolderExists(folder));

    const std::string busyFolder = MakeWorkFolder(plan).Value();
    WriteTextFile(busyFolder + "expanded.tmp", "a file still held open");
    const SimulatedRestart restart;
    HeldOpenFile busy(busyFolder + "expanded.tmp");
    RemoveWorkFolder(busyFolder);
    EXPECT_TRUE(restart.IsScheduled(busyFolder + "expanded.tmp"));
    EXPECT_FALSE(::Setup.RestartScheduled) << "the run's own clean-up is nothing an install waits for";
    busy.Close();
    EXPECT_TRUE(restart.Restart());
    EXPECT_FALSE(FolderExists(busyFolder));
}

// Windows 11 24H2 and the 2025 updates of Windows 10 have a SystemTemp that only the system
// account may use; wine has none. Made here, and refused to every process (an immutable folder
// gives the platform's access denied even to root), an elevated run must still get its folder.
TEST(WorkFolder, ARefusedSystemTempFallsBackToTheWindowsTempAndATempWithoutRoomIsNamed) {
    char windows[MAX_PATH];
    GetWindowsDirectoryA(windows, MAX_PATH);
    const std::string systemTemp = std::string(windows) + "\\SystemTemp";
    ASSERT_TRUE(CreateDirectoryA(systemTemp.c_str(), nullptr));
    const std::string unixSystemTemp = ShellQuoted(UnixPathOf(systemTemp));
    ASSERT_EQ(RunUnixScript("chattr +i " + unixSystemTemp + "\n").exitCode, 0);

    const WorkFolderPlan plan = PlanWorkFolder(true, TokenUserSid());
    const Result<std::string> made = MakeWorkFolder(plan);
    WorkFolderPlan onlySystemTemp = plan;
    onlySystemTemp.parents.resize(1);
    const Result<std::string> refused = MakeWorkFolder(onlySystemTemp);
    if (made) RemoveWorkFolder(made.Value());
    RunUnixScript("chattr -i " + unixSystemTemp + "\n");
    RemoveDirectoryA(systemTemp.c_str());

    ASSERT_EQ(plan.parents.size(), 2u) << "SystemTemp first, where it is there";
    EXPECT_EQ(lstrcmpiA(plan.parents[0].c_str(), (systemTemp + "\\").c_str()), 0);
    ASSERT_TRUE(made.Ok()) << made.Message();
    EXPECT_EQ(made.Value().rfind(plan.parents[1], 0), 0u) << made.Value();
    EXPECT_FALSE(refused.Ok());
    EXPECT_NE(refused.Message().find(systemTemp), std::string::npos) << refused.Message();
    EXPECT_NE(refused.Message().find("denied"), std::string::npos) << "the reason: " << refused.Message();
}

// Leftovers are judged by who made them and where they really are: another account's folder
// (wine shows every folder as this account's, so the plan names other owners) and a name that
// links to another folder keep what they hold.
TEST(WorkFolder, LeftoversOfAnotherOwnerOrThroughALinkAreNotEmptied) {
    TempFolder temp;
    const std::string parent = temp.Path() + "\\";
    const std::string elsewhere = temp / "elsewhere";
    CreateDirectoryA(elsewhere.c_str(), nullptr);
    WriteTextFile(elsewhere + "\\letter.doc", "Dear Sir");
    const std::string linked = temp / "setup-0011223344556677";
    ASSERT_EQ(RunUnixScript("ln -s elsewhere " + ShellQuoted(UnixPathOf(linked)) + "\n").exitCode, 0);
    const std::string othersLeftover = temp / "setup-8899aabbccddeeff";
    CreateDirectoryA(othersLeftover.c_str(), nullptr);
    WriteTextFile(othersLeftover + "\\expanded.tmp", "another account's");

    WorkFolderPlan administrators = UserPlan(parent);
    administrators.leftoverOwners = PlanWorkFolder(true, UserSid()).leftoverOwners;
    ASSERT_TRUE(MakeWorkFolder(administrators).Ok());
    EXPECT_TRUE(FileExists(othersLeftover + "\\expanded.tmp")) << "made by an account the plan does not name";

    ASSERT_TRUE(MakeWorkFolder(UserPlan(parent)).Ok());
    EXPECT_FALSE(FolderExists(othersLeftover)) << "this account's leftover goes";
    EXPECT_EQ(ReadTextFile(elsewhere + "\\letter.doc"), "Dear Sir") << "a link is not a leftover";
}
