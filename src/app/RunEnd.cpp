#include "app/RunEnd.h"

#include <windows.h>

#include "fsutil/InstallFolder.h"
#include "fsutil/WorkFolder.h"
#include "setupdata/ScriptNames.h"
#include "state/SetupState.h"

void EndRun() {
    Setup.InstallScript.reset();
    Setup.UninstallLog.reset();
    Setup.Registry.reset();
    // Without a working folder (the start failed early) there is nothing to leave or remove.
    if (Setup.TempDir.empty()) return;
    // Without an install folder there is no place for the log; a drive root is not one.
    if (!Setup.InstallFolder.empty())
        CopyFileA((Setup.TempDir + LogFileName).c_str(), InstalledLogPath(Setup.InstallFolder).c_str(), FALSE);
    RemoveWorkFolder(Setup.TempDir);
}
