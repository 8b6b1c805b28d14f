#include "uninstall/ProtectedFolders.h"

#include <windows.h>

#include "base/PathQuery.h"
#include "fsutil/PathIdentity.h"
#include "fsutil/SystemFolders.h"
#include "setupdata/RegistryAccess.h"
#include "state/SetupState.h"

namespace {

constexpr const char* ShellFoldersKey = "\\Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";
constexpr const char* ProfileListKey = "\\Software\\Microsoft\\Windows NT\\CurrentVersion\\ProfileList";

std::string EnvironmentFolder(const char* name) {
    return QueryPath([&](char* buffer, DWORD size) { return GetEnvironmentVariableA(name, buffer, size); });
}

std::vector<std::string> RegistryFolders(HKEY root, const char* key, std::initializer_list<const char*> names) {
    std::vector<std::string> folders;
    RegistryAccess registry;
    registry.SetRootKey(root);
    if (!registry.OpenKey(key, false)) return folders;
    for (const char* name : names) {
        try {
            folders.push_back(registry.ReadString(name));
        } catch (const std::exception&) {
            // A value of another type names no folder.
        }
    }
    return folders;
}

// The profile list spells its folder with %SystemDrive%.
std::string WithEnvironment(const std::string& text) {
    char expanded[MAX_PATH];
    const DWORD size = ExpandEnvironmentStringsA(text.c_str(), expanded, MAX_PATH);
    return size > 0 && size <= MAX_PATH ? std::string(expanded) : text;
}

// A drive root ("c:") or a share ("\\server\share") with nothing below it.
bool IsRoot(const std::string& identity) {
    if (identity.size() <= 2) return true;
    if (identity.rfind("\\\\", 0) != 0) return false;
    const size_t share = identity.find('\\', 2);
    return share == std::string::npos || identity.find('\\', share + 1) == std::string::npos;
}

}  // namespace

ProtectedFolders::ProtectedFolders() {
    for (const std::string* folder :
         {&Setup.WindowsDir, &Setup.SystemDir, &Setup.ProgramFilesDir, &Setup.CommonFilesDir})
        Add(*folder);
    Add(TempFolderPath());
    for (const char* name : {"USERPROFILE", "ALLUSERSPROFILE", "PUBLIC", "ProgramData"}) Add(EnvironmentFolder(name));
    for (const std::string& folder : RegistryFolders(HKEY_LOCAL_MACHINE, ProfileListKey, {"ProfilesDirectory"}))
        Add(folder);
    for (const std::string& folder : RegistryFolders(HKEY_CURRENT_USER, ShellFoldersKey, {"Start Menu", "Programs", "Desktop"}))
        Add(folder);
    for (const std::string& folder :
         RegistryFolders(HKEY_LOCAL_MACHINE, ShellFoldersKey, {"Common Start Menu", "Common Programs", "Common Desktop"}))
        Add(folder);
}

void ProtectedFolders::Add(const std::string& folder) {
    if (folder.empty()) return;
    const std::string identity = PathIdentity(WithEnvironment(folder));
    if (!identity.empty()) identities_.push_back(identity);
}

bool ProtectedFolders::Contains(const std::string& folder) const {
    const std::string identity = PathIdentity(folder);
    if (identity.empty() || IsRoot(identity)) return true;
    for (const std::string& protectedFolder : identities_) {
        // The folder itself, or one that holds it.
        if (protectedFolder.size() >= identity.size() && protectedFolder.compare(0, identity.size(), identity) == 0 &&
            (protectedFolder.size() == identity.size() || protectedFolder[identity.size()] == '\\'))
            return true;
    }
    return false;
}
