#include "fsutil/PathMacros.h"

#include "setupdata/MacroExpansion.h"
#include "state/SetupState.h"

Result<std::string> ExpandPathMacros(const std::string& source) {
    const MacroFolders folders{Setup.ProgramFilesDir,
                               Setup.CommonFilesDir,
                               Setup.InstallFolder,
                               Setup.WindowsDir,
                               Setup.SystemDir,
                               Setup.LocalAppDataDir.empty() ? "" : Setup.LocalAppDataDir + "\\Programs",
                               Setup.LocalAppDataDir,
                               Setup.AppDataDir};
    std::string expanded = ExpandMacros(source, folders);
    if (const Status fits = RequireFittingPath(expanded); !fits) return fits;
    return expanded;
}
