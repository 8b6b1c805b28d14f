#include "fsutil/DelayedReplacement.h"

#include <windows.h>

#include "base/QuotedText.h"
#include "fsutil/DestinationFile.h"
#include "fsutil/PathIdentity.h"
#include "state/RunFace.h"
#include "state/SetupState.h"

bool MayReplaceAtRestart(const std::string& path) {
    if (!Setup.Elevated || Setup.UserScope) return false;
    for (const std::string* folder : {&Setup.ProgramFilesDir, &Setup.CommonFilesDir, &Setup.WindowsDir})
        if (IsWithinFolder(path, *folder)) return true;
    return false;
}

Status ReplaceAtRestart(const std::string& path, const std::string& source) {
    const std::string staged = path + ".new";
    Result<FileHandle> made = CreateNewFile(staged);
    if (!made) return made.State();
    if (const Status copied = CopyContent(source, made.Value().Get()); !copied) {
        DiscardNewFile(made.Value());
        return copied;
    }
    made.Value().Reset();
    if (!MoveFileExA(staged.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_DELAY_UNTIL_REBOOT)) {
        DeleteFileA(staged.c_str());
        return FailedQuoting(TextId::CannotBeReplaced, path);
    }
    Setup.RestartScheduled = true;
    Face().Note(QuotedIn(TextId::FileHeldScheduled, path));
    return {};
}
