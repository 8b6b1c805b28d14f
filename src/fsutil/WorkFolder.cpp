#include "fsutil/WorkFolder.h"

#include <windows.h>
#include <aclapi.h>
#include <sddl.h>

#include <string_view>

#include "base/FormatText.h"
#include "base/OwnedHandle.h"
#include "base/PathLimit.h"
#include "base/QuotedText.h"
#include "base/RandomBytes.h"
#include "base/SystemErrorText.h"
#include "base/Texts.h"
#include "fsutil/DestinationFile.h"
#include "fsutil/Directories.h"
#include "fsutil/FinalPath.h"
#include "fsutil/SystemFolders.h"
#include "setupdata/ProfileFile.h"
#include "setupdata/ScriptNames.h"
#include "state/RunFace.h"
#include "state/SetupState.h"

namespace {

constexpr int NameAttempts = 8;
constexpr const char* NamePrefix = "setup-";
constexpr size_t NameDigits = 16;

// Releases memory the security functions hand out with LocalAlloc.
struct LocalMemoryTraits {
    using Handle = void*;
    static Handle None() { return nullptr; }
    static void Release(Handle memory) { LocalFree(memory); }
};
using LocalMemory = OwnedHandle<LocalMemoryTraits>;

// The folder of this run, held open without letting anyone delete or rename it.
FileHandle heldFolder;

std::string UnpredictableName() {
    unsigned char random[NameDigits / 2] = {};
    if (!FillRandom(random, sizeof random)) return {};
    std::string name = NamePrefix;
    for (unsigned char byte : random) name += FormatText("%02x", byte);
    return name;
}

bool IsWorkFolderName(const char* name) {
    const std::string_view text = name;
    return text.size() == 6 + NameDigits && text.starts_with(NamePrefix) &&
           text.find_first_not_of("0123456789abcdef", 6) == std::string_view::npos;
}

// Opens a folder that is a folder, not a link to one; held without delete sharing, it can be
// neither renamed nor replaced while the handle lasts. An `access` (FILE_READ_ATTRIBUTES among
// it, to look at it) that asks DELETE fails while another run holds its folder.
FileHandle HoldFolder(const std::string& folder, DWORD access) {
    FileHandle held(CreateFileA(folder.c_str(), access, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                                FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_OPEN_REPARSE_POINT, nullptr));
    BY_HANDLE_FILE_INFORMATION info;
    if (held.IsValid() && GetFileInformationByHandle(held.Get(), &info) &&
        (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) && !(info.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT))
        return held;
    return FileHandle();
}

// Deletes the files of `folder` but `kept`; what cannot go now goes at the restart when asked.
void DeleteFilesIn(const std::string& folder, bool scheduleWhatStays, const char* kept = "") {
    WIN32_FIND_DATAA data;
    const FindHandle find(FindFirstFileA((folder + "*").c_str(), &data));
    if (!find.IsValid()) return;
    do {
        if ((data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) || lstrcmpiA(data.cFileName, kept) == 0) continue;
        const std::string file = folder + data.cFileName;
        if (!DeleteFileA(file.c_str()) && scheduleWhatStays)
            MoveFileExA(file.c_str(), nullptr, MOVEFILE_DELAY_UNTIL_REBOOT);
    } while (FindNextFileA(find.Get(), &data));
}

// Whether the working log in `folder` records anything made: then it is the only record of an
// install that was killed, or a log that was kept because it could not be put in place.
bool HoldsALogOfSomethingMade(const std::string& folder) {
    const ProfileFile log(folder + LogFileName);
    for (const char* section : {DirectoriesSection, LogProgramFilesSection, RegistryKeysSection})
        if (!log.ReadValue(section, nullptr, "").empty()) return true;
    return false;
}

// Whether the folder's owner is one of `owners`: a folder another account made under a shared
// Temp is not this run's to empty.
bool OwnedByOneOf(HANDLE folder, const std::vector<std::string>& owners) {
    PSID owner = nullptr;
    PSECURITY_DESCRIPTOR descriptor = nullptr;
    if (GetSecurityInfo(folder, SE_FILE_OBJECT, OWNER_SECURITY_INFORMATION, &owner, nullptr, nullptr, nullptr,
                        &descriptor) != ERROR_SUCCESS)
        return false;
    const LocalMemory ownedDescriptor(descriptor);
    char* text = nullptr;
    if (!ConvertSidToStringSidA(owner, &text)) return false;
    const LocalMemory ownedText(text);
    for (const std::string& sid : owners)
        if (sid == text) return true;
    return false;
}

// Working folders of runs that ended without removing theirs (killed, or the machine lost power):
// a running run holds its folder, so one that can be opened for deleting belongs to no run.
// Only a folder that is where its name says (no link to elsewhere) and that an account of the
// plan made is emptied; only the log of what such a run made stays.
void RemoveLeftoverFolders(const std::string& parent, const std::vector<std::string>& owners) {
    const std::string parentFinal = FinalPath(parent);
    WIN32_FIND_DATAA data;
    const FindHandle find(FindFirstFileA(FormatText("%s%s*", parent.c_str(), NamePrefix).c_str(), &data));
    if (parentFinal.empty() || !find.IsValid()) return;
    do {
        if (!(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) || !IsWorkFolderName(data.cFileName)) continue;
        const std::string folder = FormatText("%s%s\\", parent.c_str(), data.cFileName);
        // Held by a running run (or a link, not a folder): not a leftover.
        if (!HoldFolder(folder, DELETE | FILE_READ_ATTRIBUTES).IsValid()) continue;
        // Held, without asking for its deletion, which would keep its files from going.
        FileHandle leftover = HoldFolder(folder, READ_CONTROL | FILE_READ_ATTRIBUTES);
        if (!leftover.IsValid() || FinalPathOf(leftover.Get()) != FormatText("%s\\%s", parentFinal.c_str(), data.cFileName) ||
            !OwnedByOneOf(leftover.Get(), owners))
            continue;
        // Files the run had moved aside to replace them are someone's originals: all stays.
        if (GetFileAttributesA((folder + KeptFilesRecord).c_str()) != INVALID_FILE_ATTRIBUTES) {
            Face().Note(FormatText(TextId::InterruptedSetupLeftFiles,
                                   Quoted(folder).c_str(), KeptFilesRecord));
            continue;
        }
        // A log of what was made stays, so that setup started with its path removes it.
        const bool keepLog = HoldsALogOfSomethingMade(folder);
        DeleteFilesIn(folder, false, keepLog ? LogFileName : "");
        leftover.Reset();
        if (!keepLog) RemoveDirectoryA(folder.c_str());
    } while (FindNextFileA(find.Get(), &data));
}

// Makes a fresh folder of an unpredictable name in `parent` and holds it; the error that
// stopped it otherwise (an existing name is someone else's and is never used).
DWORD MakeHeldFolder(const std::string& parent, SECURITY_ATTRIBUTES& security, std::string& made) {
    for (int attempt = 0; attempt < NameAttempts; ++attempt) {
        const std::string name = UnpredictableName();
        if (name.empty()) return ERROR_GEN_FAILURE;
        const std::string folder = FormatText("%s%s\\", parent.c_str(), name.c_str());
        if (!FitsPathBuffer(folder)) return ERROR_FILENAME_EXCED_RANGE;
        if (!CreateDirectoryA(folder.c_str(), &security)) {
            if (GetLastError() == ERROR_ALREADY_EXISTS) continue;
            return GetLastError();
        }
        heldFolder = HoldFolder(folder, FILE_LIST_DIRECTORY | FILE_READ_ATTRIBUTES);
        if (heldFolder.IsValid()) {
            made = folder;
            return ERROR_SUCCESS;
        }
        RemoveDirectoryA(folder.c_str());
        return ERROR_GEN_FAILURE;
    }
    return ERROR_ALREADY_EXISTS;
}

constexpr const char* AdministratorsSid = "S-1-5-32-544";
constexpr const char* SystemSid = "S-1-5-18";

}  // namespace

WorkFolderPlan PlanWorkFolder(bool administrator, const std::string& userSid) {
    if (!administrator)
        return {{TempFolderPath()}, userSid.empty() ? "" : FormatText("D:P(A;OICI;FA;;;%s)", userSid.c_str()), {userSid}};
    const std::string windows = WindowsFolder() + "\\";
    const std::string systemTemp = windows + "SystemTemp\\";
    WorkFolderPlan plan{{}, "O:BAD:P(A;OICI;FA;;;SY)(A;OICI;FA;;;BA)", {AdministratorsSid, SystemSid}};
    // SystemTemp is documented as the system account's Temp, closed to other processes: an
    // elevated administrator may be refused there (GetTempPath2A's documentation).
    if (DirectoryExists(systemTemp)) plan.parents.push_back(systemTemp);
    plan.parents.push_back(windows + "Temp\\");
    return plan;
}

std::string TokenUserSid() {
    HANDLE opened = nullptr;
    if (!OpenProcessToken(ThisProcess(), TOKEN_QUERY, &opened)) return {};
    const KernelObject token(opened);
    alignas(TOKEN_USER) BYTE buffer[sizeof(TOKEN_USER) + SECURITY_MAX_SID_SIZE];
    DWORD size = 0;
    char* sid = nullptr;
    if (!GetTokenInformation(token.Get(), TokenUser, buffer, sizeof buffer, &size) ||
        !ConvertSidToStringSidA(reinterpret_cast<TOKEN_USER*>(buffer)->User.Sid, &sid))
        return {};
    const LocalMemory owned(sid);
    return sid;
}

bool RunsAsAdministrator() {
    BYTE sid[SECURITY_MAX_SID_SIZE];
    DWORD size = sizeof sid;
    BOOL member = FALSE;
    return CreateWellKnownSid(WinBuiltinAdministratorsSid, nullptr, sid, &size) &&
           CheckTokenMembership(nullptr, sid, &member) && member;
}

WorkFolderPlan PlanForThisRun() { return PlanWorkFolder(Setup.Elevated, TokenUserSid()); }

Result<std::string> MakeWorkFolder(const WorkFolderPlan& plan) {
    void* descriptor = nullptr;
    if (plan.parents.empty() || plan.access.empty() ||
        !ConvertStringSecurityDescriptorToSecurityDescriptorA(plan.access.c_str(), SDDL_REVISION_1, &descriptor,
                                                              nullptr))
        return Status::Failed(Text(TextId::TempAccountUntold));
    const LocalMemory ownedDescriptor(descriptor);
    SECURITY_ATTRIBUTES security{sizeof security, descriptor, FALSE};
    DWORD error = ERROR_SUCCESS;
    for (const std::string& parent : plan.parents) {
        std::string folder;
        error = MakeHeldFolder(parent, security, folder);
        if (error != ERROR_SUCCESS) continue;
        RemoveLeftoverFolders(parent, plan.leftoverOwners);
        return folder;
    }
    return Status::Failed(FormatText(TextId::TempFolderNotMade,
                                     Quoted(plan.parents.back()).c_str(), SystemErrorText(error).c_str()));
}

void RemoveWorkFolder(const std::string& folder) {
    heldFolder.Reset();
    DeleteFilesIn(folder, true);
    if (!RemoveDirectoryA(folder.c_str())) MoveFileExA(folder.c_str(), nullptr, MOVEFILE_DELAY_UNTIL_REBOOT);
}
