#include "fsutil/InstallFolder.h"

#include <windows.h>

#include "base/FormatText.h"
#include "base/PathLimit.h"
#include "base/QuotedText.h"
#include "fsutil/FileNames.h"
#include "setupdata/ScriptNames.h"
#include "state/SetupState.h"

std::string InstalledLogPath(const std::string& folder) { return WithTrailingBackslash(folder) + LogFileName; }

FolderLog LogAt(const std::string& installedLog) {
    if (GetFileAttributesA(installedLog.c_str()) == INVALID_FILE_ATTRIBUTES) return FolderLog::None;
    const std::string name = ProfileFile(installedLog).ReadValue(PackageSection, PackageNameKey, MissingValueMark);
    return name == Setup.PackageName ? FolderLog::ThisPackage : FolderLog::Other;
}

std::string InstallFolderProblem(const std::string& folder) {
    // The folder and its log must fit a path buffer: a cut path is not the folder the user named.
    const std::string installedLog = InstalledLogPath(folder);
    if (!FitsPathBuffer(installedLog))
        return FormatText("The install folder is %u characters long; at most %u are possible",
                          static_cast<unsigned>(folder.size()),
                          static_cast<unsigned>(MaxPathLength - (installedLog.size() - folder.size())));
    if (LogAt(installedLog) == FolderLog::Other)
        return FormatText("%s holds an uninstall log that is not the one of %s; choose another folder",
                          Quoted(folder).c_str(), Setup.PackageName.c_str());
    return {};
}
