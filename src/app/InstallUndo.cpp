#include "app/InstallUndo.h"

#include "app/InstalledLog.h"
#include "app/UpgradeRemoval.h"
#include "base/Texts.h"
#include "fsutil/DestinationFile.h"
#include "fsutil/InstallFolder.h"
#include "fsutil/ProgramsListEntry.h"
#include "state/RunFace.h"
#include "state/SetupState.h"
#include "uninstall/UninstallRun.h"

void UndoFailedInstall(ProgressView& view) {
    if (Setup.IsUninstallMode() || Setup.InstallFolder.empty() || !Setup.UninstallLog) return;
    // Over an earlier install of the package, the folders that one logged stay for it, and the files
    // this run replaced come back; should its log not allow that, what the run made stays, added to
    // the earlier log, and nothing of the earlier install goes.
    const FolderLogCheck earlier = LogAt(InstalledLogPath(Setup.InstallFolder));
    if (earlier.kind == FolderLog::ThisPackage && !LeaveEarlierFolders(earlier.checkedCopy)) {
        Face().Note(Text(TextId::InstallFailedKept));
        Setup.InstallCompleted = false;
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
