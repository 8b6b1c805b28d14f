#include "uninstall/ProtectedFolders.h"

#include <windows.h>

#include <iterator>

#include "base/PathQuery.h"
#include "fsutil/FinalPath.h"
#include "fsutil/PathIdentity.h"
#include "fsutil/SystemFolders.h"
#include "setupdata/RegistryAccess.h"
#include "setupdata/WindowsKeys.h"
#include "state/SetupState.h"

namespace {

std::string EnvironmentFolder(const char* name) {
    return QueryPath([&](char* buffer, DWORD size) { return GetEnvironmentVariableA(name, buffer, size); });
}

// The folders the shell names, for the user and for all users.
constexpr const char* UserShellFolders[] = {
    "Start Menu", "Programs", "Startup", "Desktop", "Personal", "AppData", "Local AppData", "Favorites",
    "My Music", "My Pictures", "My Video", "Templates", "SendTo", "Recent", "Fonts", "Cookies", "History", "Cache",
    "NetHood", "PrintHood", "Administrative Tools", "CD Burning",
    "{374DE290-123F-4565-9164-39C4925E467B}",  // Downloads
};
constexpr const char* MachineShellFolders[] = {
    "Common Start Menu", "Common Programs", "Common Startup", "Common Desktop", "Common Documents",
    "Common AppData", "Common Templates", "Common Favorites", "Common Administrative Tools",
    "CommonMusic", "CommonPictures", "CommonVideo",
};
constexpr const char* MachineFolders[] = {"ProgramFilesDir", "CommonFilesDir", "ProgramFilesDir (x86)",
                                          "CommonFilesDir (x86)", "ProgramW6432Dir", "CommonW6432Dir"};
constexpr const char* ProfilesValue = "ProfilesDirectory";
// Below the Windows folder.
constexpr const char* WindowsSubfolders[] = {"Temp", "SystemTemp", "SysWOW64", "Fonts", "Installer"};

std::vector<std::string> RegistryFolders(HKEY root, const char* key, const char* const* names, size_t count) {
    std::vector<std::string> folders;
    RegistryAccess registry;
    registry.SetRootKey(root);
    if (!registry.OpenKey(key, false)) return folders;
    // A value of another type names no folder.
    for (size_t i = 0; i < count; ++i)
        if (const Result<std::string> folder = registry.ReadString(names[i])) folders.push_back(folder.Value());
    return folders;
}

// The profile list spells its folder with %SystemDrive%.
std::string WithEnvironment(const std::string& text) {
    // The size asked for counts the terminator, as QueryPath expects of a longer answer.
    std::string expanded = QueryPath([&](char* buffer, DWORD size) {
        const DWORD needed = ExpandEnvironmentStringsA(text.c_str(), buffer, size);
        return needed > size || needed == 0 ? needed : needed - 1;
    });
    return expanded.empty() ? text : expanded;
}

// A drive root ("c:") or a share ("\\server\share") with nothing below it.
bool IsRoot(const std::string& identity) {
    if (identity.size() <= 2) return true;
    if (identity.rfind("\\\\", 0) != 0) return false;
    const size_t share = identity.find('\\', 2);
    return share == std::string::npos || identity.find('\\', share + 1) == std::string::npos;
}

// What a folder is: its final path, through every link; a folder that is not there, by its spelling.
std::string Identity(const std::string& folder) {
    std::string identity = FinalPath(folder);
    if (identity.empty()) identity = PathIdentity(folder);
    while (!identity.empty() && identity.back() == '\\') identity.pop_back();
    return identity;
}

}  // namespace

ProtectedFolders::ProtectedFolders() {
    for (const std::string* folder :
         {&Setup.WindowsDir, &Setup.SystemDir, &Setup.ProgramFilesDir, &Setup.CommonFilesDir})
        Add(*folder);
    Add(TempFolderPath());
    if (!Setup.WindowsDir.empty())
        for (const char* name : WindowsSubfolders) Add(Setup.WindowsDir + "\\" + name);
    for (const char* name : {"USERPROFILE", "ALLUSERSPROFILE", "PUBLIC", "ProgramData"}) Add(EnvironmentFolder(name));
    const struct {
        HKEY root;
        const char* key;
        const char* const* names;
        size_t count;
    } lists[] = {
        {HKEY_LOCAL_MACHINE, ProfileListKey, &ProfilesValue, 1},
        {HKEY_LOCAL_MACHINE, VersionKey, MachineFolders, std::size(MachineFolders)},
        {HKEY_CURRENT_USER, ShellFoldersKey, UserShellFolders, std::size(UserShellFolders)},
        {HKEY_LOCAL_MACHINE, ShellFoldersKey, MachineShellFolders, std::size(MachineShellFolders)},
    };
    for (const auto& list : lists)
        for (const std::string& folder : RegistryFolders(list.root, list.key, list.names, list.count)) Add(folder);
}

void ProtectedFolders::Add(const std::string& folder) {
    if (folder.empty()) return;
    const std::string identity = Identity(WithEnvironment(folder));
    if (!identity.empty()) identities_.push_back(identity);
}

bool ProtectedFolders::Contains(const std::string& folder) const {
    const std::string identity = Identity(folder);
    if (identity.empty() || IsRoot(identity)) return true;
    for (const std::string& protectedFolder : identities_) {
        // The folder itself, or one that holds it.
        if (protectedFolder.size() >= identity.size() && protectedFolder.compare(0, identity.size(), identity) == 0 &&
            (protectedFolder.size() == identity.size() || protectedFolder[identity.size()] == '\\'))
            return true;
    }
    return false;
}
