#include "fsutil/WorkFolder.h"

#include <windows.h>
#include <ntsecapi.h>
#include <sddl.h>

#include "base/FormatText.h"
#include "base/OwnedHandle.h"
#include "base/PathLimit.h"
#include "fsutil/DeleteOrSchedule.h"

namespace {

constexpr int NameAttempts = 8;

// Releases memory the security functions hand out with LocalAlloc.
struct LocalMemoryTraits {
    using Handle = void*;
    static Handle None() { return nullptr; }
    static void Release(Handle memory) { LocalFree(memory); }
};
using LocalMemory = OwnedHandle<LocalMemoryTraits>;

struct TokenInfo {
    std::string userSid;  // in its string form
    bool elevated = false;
};

TokenInfo CurrentToken() {
    TokenInfo info;
    HANDLE opened = nullptr;
    if (!OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &opened)) return info;
    const KernelObject token(opened);
    alignas(TOKEN_USER) BYTE buffer[sizeof(TOKEN_USER) + SECURITY_MAX_SID_SIZE];
    DWORD size = 0;
    char* sid = nullptr;
    if (GetTokenInformation(token.Get(), TokenUser, buffer, sizeof buffer, &size) &&
        ConvertSidToStringSidA(reinterpret_cast<TOKEN_USER*>(buffer)->User.Sid, &sid)) {
        const LocalMemory owned(sid);
        info.userSid = sid;
    }
    TOKEN_ELEVATION elevation{};
    if (GetTokenInformation(token.Get(), TokenElevation, &elevation, sizeof elevation, &size))
        info.elevated = elevation.TokenIsElevated != 0;
    return info;
}

std::string UnpredictableName() {
    unsigned char random[8] = {};
    if (!RtlGenRandom(random, sizeof random)) return {};
    std::string name = "setup-";
    for (unsigned char byte : random) name += FormatText("%02x", byte);
    return name;
}

}  // namespace

std::string WorkFolderAccess() {
    const TokenInfo token = CurrentToken();
    if (token.userSid.empty()) return {};
    std::string sddl = "D:P(A;OICI;FA;;;" + token.userSid + ")";
    if (token.elevated) sddl += "(A;OICI;FA;;;BA)(A;OICI;FA;;;SY)";
    return sddl;
}

std::string MakeWorkFolder(const std::string& tempFolder) {
    const std::string sddl = WorkFolderAccess();
    void* descriptor = nullptr;
    if (sddl.empty() ||
        !ConvertStringSecurityDescriptorToSecurityDescriptorA(sddl.c_str(), SDDL_REVISION_1, &descriptor, nullptr))
        return {};
    const LocalMemory ownedDescriptor(descriptor);
    SECURITY_ATTRIBUTES security{sizeof security, descriptor, FALSE};
    for (int attempt = 0; attempt < NameAttempts; ++attempt) {
        const std::string name = UnpredictableName();
        if (name.empty()) return {};
        const std::string folder = tempFolder + name + "\\";
        if (!FitsPathBuffer(folder)) return {};
        // An existing folder of that name is someone else's: never use it.
        if (CreateDirectoryA(folder.c_str(), &security)) return folder;
        if (GetLastError() != ERROR_ALREADY_EXISTS) return {};
    }
    return {};
}

void RemoveWorkFolder(const std::string& folder) {
    WIN32_FIND_DATAA data;
    const FindHandle find(FindFirstFileA((folder + "*").c_str(), &data));
    if (find.IsValid()) {
        do {
            if (!(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) DeleteFileOrSchedule(folder + data.cFileName);
        } while (FindNextFileA(find.Get(), &data));
    }
    RemoveDirectoryOrSchedule(folder);
}
