#include "uninstall/ProtectedFolders.h"

#include <windows.h>

#include "base/FormatText.h"
#include "base/PackedNames.h"
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

// Lists of names packed into one string each (base/PackedNames.h), ended by an empty name.
// The folders the shell names, for the user and for all users.
constexpr const char* UserShellFolders =
    "Start Menu\0Programs\0Startup\0Desktop\0Personal\0AppData\0Local AppData\0Favorites\0"
    "My Music\0My Pictures\0My Video\0Templates\0SendTo\0Recent\0Fonts\0Cookies\0History\0Cache\0"
    "NetHood\0PrintHood\0Administrative Tools\0CD Burning\0"
    "{374DE290-123F-4565-9164-39C4925E467B}\0";  // Downloads
constexpr const char* MachineShellFolders =
    "Common Start Menu\0Common Programs\0Common Startup\0Common Desktop\0Common Documents\0"
    "Common AppData\0Common Templates\0Common Favorites\0Common Administrative Tools\0"
    "CommonMusic\0CommonPictures\0CommonVideo\0";
constexpr const char* MachineFolders = "ProgramFilesDir\0CommonFilesDir\0ProgramFilesDir (x86)\0"
                                       "CommonFilesDir (x86)\0ProgramW6432Dir\0CommonW6432Dir\0";
constexpr const char* ProfilesValue = "ProfilesDirectory\0";
// Below the Windows folder.
constexpr const char* WindowsSubfolders = "Temp\0SystemTemp\0SysWOW64\0Fonts\0Installer\0";
constexpr const char* EnvironmentFolders = "USERPROFILE\0ALLUSERSPROFILE\0PUBLIC\0ProgramData\0";

std::vector<std::string> RegistryFolders(HKEY root, const char* key, const char* names) {
    std::vector<std::string> folders;
    RegistryAccess registry;
    registry.SetRootKey(root);
    if (!registry.OpenKey(key, false)) return folders;
    // A value of another type names no folder.
    for (const char* name = names; *name; name = NextPackedName(name))
        if (const Result<std::string> folder = registry.ReadString(name)) folders.push_back(folder.Value());
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
        for (const char* name = WindowsSubfolders; *name; name = NextPackedName(name))
            Add(FormatText("%s\\%s", Setup.WindowsDir.c_str(), name));
    for (const char* name = EnvironmentFolders; *name; name = NextPackedName(name)) Add(EnvironmentFolder(name));
    // Four calls rather than a table of pointers for the loader to relocate.
    const auto addListed = [this](HKEY root, const char* key, const char* names) {
        for (const std::string& folder : RegistryFolders(root, key, names)) Add(folder);
    };
    addListed(HKEY_LOCAL_MACHINE, ProfileListKey, ProfilesValue);
    addListed(HKEY_LOCAL_MACHINE, VersionKey, MachineFolders);
    addListed(HKEY_CURRENT_USER, ShellFoldersKey, UserShellFolders);
    addListed(HKEY_LOCAL_MACHINE, ShellFoldersKey, MachineShellFolders);
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
