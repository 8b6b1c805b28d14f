#include "fsutil/InstallFolder.h"

#include "base/FormatText.h"
#include "base/PathLimit.h"
#include "fsutil/FileNames.h"
#include "setupdata/ScriptNames.h"

std::string InstalledLogPath(const std::string& folder) { return WithTrailingBackslash(folder) + LogFileName; }

std::string InstallFolderProblem(const std::string& folder) {
    // A longer text would have to be cut, and the cut path is not the folder the user named.
    if (FitsPathBuffer(folder)) return {};
    return FormatText("The install folder is %u characters long; at most %u are possible",
                      static_cast<unsigned>(folder.size()), static_cast<unsigned>(MaxPathLength));
}
