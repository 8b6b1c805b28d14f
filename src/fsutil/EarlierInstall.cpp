#include "fsutil/EarlierInstall.h"

#include <windows.h>

#include "fsutil/FileNames.h"
#include "fsutil/InstallFolder.h"
#include "fsutil/ProgramsListEntry.h"
#include "fsutil/UserScope.h"
#include "state/SetupState.h"

namespace {

// A text value of the entry; empty when it has none.
std::string EntryText(const std::string& keyPath, const char* name) {
    char text[256] = {};
    DWORD size = sizeof text;
    if (RegGetValueA(ScopeRoot(), keyPath.c_str() + 1, name, RRF_RT_REG_SZ, nullptr, text, &size) != ERROR_SUCCESS)
        return {};
    return text;
}

}  // namespace

EarlierInstall FindEarlierInstall() {
    const std::string key = EntryKeyPath(Setup.PackageName);
    const std::string log = EntryLogPath(key);
    // An entry is no proof: only a log this computer recorded tells where the package is.
    if (log.empty() || LogAt(log).kind != FolderLog::ThisPackage) return {};
    std::string folder = FolderPart(log);
    // A drive root keeps its "\".
    if (folder.size() == 2) folder += '\\';
    return {folder, EntryText(key, "DisplayVersion")};
}
