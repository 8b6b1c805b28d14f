#include "fsutil/UserScope.h"

#include <windows.h>

#include <optional>

#include "base/FormatText.h"
#include "base/QuotedText.h"
#include "fsutil/PathIdentity.h"
#include "setupdata/RegistryKeyText.h"
#include "state/SetupState.h"

namespace {

constexpr const char* ClassesRootName = "HKEY_CLASSES_ROOT";

// Whether `path` is `folder` or lies below it, both compared as the platform spells them in full.
bool IsWithin(const std::string& path, const std::string& folder) {
    if (folder.empty()) return false;
    const std::string inner = PathIdentity(path), outer = PathIdentity(folder);
    return !outer.empty() && inner.rfind(outer, 0) == 0 && (inner.size() == outer.size() || inner[outer.size()] == '\\');
}

}  // namespace

bool IsAdministratorsFolder(const std::string& path) {
    for (const std::string* folder : {&Setup.WindowsDir, &Setup.SystemDir, &Setup.ProgramFilesDir, &Setup.CommonFilesDir})
        if (IsWithin(path, *folder)) return true;
    // The 32-bit programs' folder beside the 64-bit one, where there is one.
    return IsWithin(path, Setup.ProgramFilesDir + " (x86)");
}

bool IsMachineKey(const std::string& keyText) {
    const std::optional<RegistryKeyText> key = SplitRegistryKeyText(keyText);
    return key && key->rootName != UserRootName && key->rootName != ClassesRootName;
}

std::string UserScopeKeyText(const std::string& keyText) {
    const std::optional<RegistryKeyText> key = SplitRegistryKeyText(keyText);
    if (!key || key->rootName != ClassesRootName) return keyText;
    return std::string(UserRootName) + "\\Software\\Classes" + key->keyPath;
}

HKEY ScopeRoot() { return Setup.UserScope ? HKEY_CURRENT_USER : HKEY_LOCAL_MACHINE; }

const char* ScopeRootName() { return Setup.UserScope ? UserRootName : MachineRootName; }

std::string NeedsAdministratorRightsText(const std::string& entry) {
    return FormatText("%s needs administrator rights", Quoted(entry).c_str());
}
