#include "fsutil/UserScope.h"

#include <windows.h>

#include <optional>

#include "base/FormatText.h"
#include "base/PackedNames.h"
#include "base/QuotedText.h"
#include "fsutil/PathIdentity.h"
#include "fsutil/SystemFolders.h"
#include "setupdata/RegistryKeyText.h"
#include "state/SetupState.h"

namespace {

constexpr const char* ClassesRootName = "HKEY_CLASSES_ROOT";

}  // namespace

// An allow-list, not a list of refused folders: the shared ones (ProgramData, Public), another
// drive's root, an administrative share or a "..\.." out of the profile are all outside it.
bool InPersonsAreas(const std::string& path) {
    if (!Setup.UserScope) return true;
    if (IsWithinFolder(path, UserProfileFolder())) return true;
    for (const char* name = "Local AppData\0AppData\0Programs\0Start Menu\0Desktop\0"; *name; name = NextPackedName(name))
        if (IsWithinFolder(path, UserShellFolder(name))) return true;
    return false;
}

bool IsMachineKey(const std::string& keyText) {
    const std::optional<RegistryKeyText> key = SplitRegistryKeyText(keyText);
    return key && key->rootName != UserRootName && key->rootName != ClassesRootName;
}

std::string UserScopeKeyText(const std::string& keyText) {
    const std::optional<RegistryKeyText> key = SplitRegistryKeyText(keyText);
    if (!key || key->rootName != ClassesRootName) return keyText;
    return FormatText("%s\\Software\\Classes%s", UserRootName, key->keyPath.c_str());
}

HKEY ScopeRoot() { return Setup.UserScope ? HKEY_CURRENT_USER : HKEY_LOCAL_MACHINE; }

const char* ScopeRootName() { return Setup.UserScope ? UserRootName : MachineRootName; }

std::string NeedsAdministratorRightsText(const std::string& entry) {
    return QuotedIn(TextId::NeedsAdministratorRights, entry);
}
