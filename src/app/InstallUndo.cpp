#include "app/InstallUndo.h"

#include "app/InstalledLog.h"
#include "base/Texts.h"
#include "fsutil/DestinationFile.h"
#include "fsutil/InstallFolder.h"
#include "fsutil/ProgramsListEntry.h"
#include "state/RunFace.h"
#include "state/SetupState.h"
#include "uninstall/UninstallRun.h"

void UndoFailedInstall(ProgressView& view) {
    if (Setup.IsUninstallMode() || Setup.InstallFolder.empty() || !Setup.UninstallLog) return;
    if (LogAt(InstalledLogPath(Setup.InstallFolder)).kind == FolderLog::ThisPackage) {
        Face().Note(Text(TextId::InstallFailedKept));
        return;
    }
    Face().Note(Text(TextId::InstallFailedRemoving));
    UninstallRun(view, true).Run();
    // What the run replaced comes back: the files there before it, the entry of an earlier install.
    for (const std::string& failure : PutBackKeptFiles()) Face().Note(failure);
    PutBackEarlierEntry();
    // Nothing is left for the log to record.
    Setup.InstallFolder.clear();
}
