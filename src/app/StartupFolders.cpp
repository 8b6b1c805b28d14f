#include "app/StartupFolders.h"

#include "fsutil/Directories.h"
#include "state/SetupState.h"

namespace {

Status RequireFolder(const std::string& path, const char* failure) {
    return DirectoryExists(path) ? Status() : Status::Fatal(failure);
}

// An empty path "makes" without making anything, so the folder is tested again afterwards.
Status RequireOrMakeFolder(const std::string& path, const char* failure) {
    if (DirectoryExists(path)) return {};
    const Result<bool> made = CreateDirectoryPath(path);
    if (!made) return made.State();
    return made.Value() && DirectoryExists(path) ? Status() : Status::Fatal(failure);
}

}  // namespace

Status CheckStartupFolders() {
    Status checked = RequireFolder(Setup.WindowsDir, "Problem with Windows directory");
    if (checked) checked = RequireFolder(Setup.SystemDir, "Problem with System directory");
    if (checked) checked = RequireOrMakeFolder(Setup.ProgramFilesDir, "Problem with Program directory");
    if (checked) checked = RequireOrMakeFolder(Setup.CommonFilesDir, "Problem with Common directory");
    return checked;
}
