#include "app/StartupFolders.h"

#include "app/StartupFailure.h"
#include "fsutil/Directories.h"
#include "state/SetupState.h"

namespace {

void RequireFolder(const std::string& path, const char* failure) {
    if (!DirectoryExists(path)) throw StartupFailure(failure);
}

// An empty path "makes" without making anything, so the folder is tested again afterwards.
void RequireOrMakeFolder(const std::string& path, const char* failure) {
    if (DirectoryExists(path)) return;
    if (!CreateDirectoryPath(path) || !DirectoryExists(path)) throw StartupFailure(failure);
}

}  // namespace

void CheckStartupFolders() {
    RequireFolder(Setup.WindowsDir, "Problem with Windows directory");
    RequireFolder(Setup.SystemDir, "Problem with System directory");
    RequireOrMakeFolder(Setup.ProgramFilesDir, "Problem with Program directory");
    RequireOrMakeFolder(Setup.CommonFilesDir, "Problem with Common directory");
}
