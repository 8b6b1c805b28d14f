#include "app/UnattendedLogFile.h"

#include <windows.h>

#include "base/FormatText.h"
#include "base/FullPath.h"
#include "base/PathLimit.h"
#include "base/QuotedText.h"
#include "fsutil/FileNames.h"
#include "fsutil/FinalPath.h"
#include "fsutil/PathIdentity.h"
#include "fsutil/SystemFolders.h"
#include "state/SetupState.h"

namespace {

constexpr const char* LogName = "setup.log";
constexpr unsigned long long MaxLogSize = 1 << 20;

// The first SID of a token's user or owner record (both start with one).
bool TokenSidIs(HANDLE token, TOKEN_INFORMATION_CLASS kind, PSID sid) {
    DWORD_PTR record[64];
    DWORD size = 0;
    return GetTokenInformation(token, kind, record, sizeof record, &size) && EqualSid(reinterpret_cast<PSID>(record[0]), sid);
}

// The file's owner is this process's account, or the owner it gives the files it makes
// (elevated: the administrators).
bool IsOwnFile(HANDLE file) {
    DWORD_PTR descriptor[128];
    DWORD size = 0;
    PSID owner = nullptr;
    BOOL defaulted = FALSE;
    if (!GetKernelObjectSecurity(file, OWNER_SECURITY_INFORMATION, descriptor, sizeof descriptor, &size) ||
        !GetSecurityDescriptorOwner(descriptor, &owner, &defaulted) || !owner)
        return false;
    HANDLE opened = nullptr;
    if (!OpenProcessToken(ThisProcess(), TOKEN_QUERY, &opened)) return false;
    const KernelObject token(opened);
    return TokenSidIs(opened, TokenUser, owner) || TokenSidIs(opened, TokenOwner, owner);
}

// One name, not a link, this account's: what the log may be written through.
bool IsPlainOwnFile(HANDLE file, unsigned long long& size) {
    BY_HANDLE_FILE_INFORMATION information;
    if (!GetFileInformationByHandle(file, &information)) return false;
    size = static_cast<unsigned long long>(information.nFileSizeHigh) << 32 | information.nFileSizeLow;
    return !(information.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) && information.nNumberOfLinks <= 1 &&
           IsOwnFile(file);
}

enum class Opening { Opened, Unusable, Refused };

// A link is opened as itself, never followed; a file reached through a link on the way (which
// the folder's check below rules out while it is held) is refused too.
Opening OpenPlain(const std::string& path, DWORD disposition, FileHandle& file, unsigned long long& size) {
    file.Reset(CreateFileA(path.c_str(), FILE_APPEND_DATA | FILE_READ_ATTRIBUTES | READ_CONTROL,
                           FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, disposition,
                           FILE_ATTRIBUTE_NORMAL | FILE_FLAG_OPEN_REPARSE_POINT, nullptr));
    if (!file.IsValid()) return Opening::Unusable;
    if (IsPlainOwnFile(file.Get(), size) && FinalPathOf(file.Get()) == PathIdentity(path)) return Opening::Opened;
    file.Reset();
    return Opening::Refused;
}

// The folder, held while the log is opened and rotated in it: a folder held open can be neither
// renamed nor replaced, nor can any folder above it. Not held when it is reached through a link
// (a junction, mount point or symbolic link on the way, which the final path tells).
FileHandle HoldPlainFolder(const std::string& folder) {
    FileHandle held = OpenToInspect(folder);
    if (held.IsValid() && FinalPathOf(held.Get()) == PathIdentity(folder)) return held;
    return FileHandle();
}

Opening OpenRotated(const std::string& path, FileHandle& file) {
    unsigned long long size = 0;
    const Opening opening = OpenPlain(path, OPEN_ALWAYS, file, size);
    if (opening != Opening::Opened || size <= MaxLogSize) return opening;
    file.Reset();
    MoveFileExA(path.c_str(), (path + ".1").c_str(), MOVEFILE_REPLACE_EXISTING);
    return OpenPlain(path, OPEN_ALWAYS, file, size);
}

// A name no file had, beside the one passed over.
std::string OpenFreshBeside(const std::string& folder, FileHandle& file) {
    unsigned long long size = 0;
    for (DWORD attempt = 0; attempt < 100; ++attempt) {
        const std::string path = FormatText("%ssetup-%lu-%lu.log", folder.c_str(), GetCurrentProcessId(),
                                            static_cast<unsigned long>(GetTickCount64()) + attempt);
        const Opening opening = OpenPlain(path, CREATE_NEW, file, size);
        if (opening == Opening::Opened) return path;
        // Only a name that is taken is worth another try.
        if (opening == Opening::Refused || GetLastError() != ERROR_FILE_EXISTS) break;
    }
    return {};
}

// The log "/LOG=" names: a full path, in a folder held and reached through no link, opened as
// setup.log is; appended to, never moved aside (where it is, and how large it grows, is the
// caller's to decide).
bool OpenGivenLog(const std::string& path, FileHandle& file) {
    unsigned long long size = 0;
    if (!IsFullPath(path) || !FitsPathBuffer(path)) return false;
    const FileHandle held = HoldPlainFolder(WithTrailingBackslash(FolderPart(path)));
    return held.IsValid() && OpenPlain(path, OPEN_ALWAYS, file, size) == Opening::Opened;
}

}  // namespace

std::vector<std::string> OpenUnattendedLog(FileHandle& file) {
    std::vector<std::string> passedOver;
    if (!Setup.LogFilePath.empty()) {
        if (OpenGivenLog(Setup.LogFilePath, file)) return passedOver;
        // Said in the log the run keeps without it.
        passedOver.push_back(QuotedIn(TextId::LogFileRefused, Setup.LogFilePath));
    }
    // The user's Temp is what the user's own environment key names: an elevated run keeps its log
    // in the Windows folder's Temp, where its working folders are made too.
    for (int place = Setup.Elevated ? 1 : 0; place < 2; ++place) {
        const std::string folder = place == 0 ? TempFolderPath() : WindowsTempFolder();
        const std::string path = folder + LogName;
        // "\" alone: the platform gave no Temp folder at all.
        if (folder.size() < 2 || !FitsPathBuffer(path)) continue;
        const FileHandle held = HoldPlainFolder(folder);
        if (!held.IsValid()) {
            passedOver.push_back(QuotedIn(TextId::LogNotUsedLinkedFolder, path));
            continue;
        }
        const Opening opening = OpenRotated(path, file);
        if (opening == Opening::Opened) return passedOver;
        if (opening == Opening::Refused) {
            passedOver.push_back(FormatText(TextId::LogNotUsedOthers, Quoted(path).c_str(),
                                            Quoted(OpenFreshBeside(folder, file)).c_str()));
            break;
        }
    }
    return passedOver;
}
