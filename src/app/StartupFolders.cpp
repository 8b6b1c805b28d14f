#include "app/StartupFolders.h"

#include "base/Texts.h"
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
    return made.Value() && (Setup.Plan || DirectoryExists(path)) ? Status() : Status::Fatal(failure);
}

}  // namespace

Status CheckStartupFolders() {
    Status checked = RequireFolder(Setup.WindowsDir, Text(TextId::ProblemWithWindows));
    if (checked) checked = RequireFolder(Setup.SystemDir, Text(TextId::ProblemWithSystem));
    if (checked) checked = RequireOrMakeFolder(Setup.ProgramFilesDir, Text(TextId::ProblemWithProgram));
    if (checked) checked = RequireOrMakeFolder(Setup.CommonFilesDir, Text(TextId::ProblemWithCommon));
    return checked;
}
