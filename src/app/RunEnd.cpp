#include "app/RunEnd.h"

#include "app/InstalledLog.h"
#include "fsutil/FileTransfer.h"
#include "fsutil/WorkFolder.h"
#include "setupdata/ScriptNames.h"
#include "state/SetupState.h"

void EndRun(bool leaveLog) {
    // Without a working folder (the start failed early) there is nothing to leave or remove.
    const bool started = !Setup.TempDir.empty() && Setup.UninstallLog;
    // Without an install folder there is no place for the log; a drive root is not one.
    const bool logKept = started && leaveLog && !Setup.IsUninstallMode() && !Setup.InstallFolder.empty() &&
                         !LeaveLogInInstallFolder();
    Setup.InstallScript.reset();
    Setup.UninstallLog.reset();
    Setup.Registry.reset();
    if (Setup.TempDir.empty()) return;
    if (logKept)
        DeleteTempFile(ScriptFileName);
    else
        RemoveWorkFolder(Setup.TempDir);
}
