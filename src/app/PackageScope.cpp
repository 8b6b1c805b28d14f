#include "app/PackageScope.h"

#include <windows.h>

#include "fsutil/MediaFolder.h"
#include "setupdata/ProfileFile.h"
#include "setupdata/ScriptNames.h"

bool IsUserScope(const std::string& value) { return lstrcmpiA(value.c_str(), UserScopeValue) == 0; }

PackageFacts ReadPackageFacts(const std::string& logPath) {
    const ProfileFile file(logPath.empty() ? MediaPath(ScriptFileName) : logPath);
    return {IsUserScope(file.ReadValue(PackageSection, ScopeKey, "")), file.ReadValue(PackageSection, PackageNameKey, "")};
}
