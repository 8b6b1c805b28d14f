#pragma once
#include <string>

#include "base/Status.h"
#include "fsutil/LogRecord.h"

// The start of every run, as the main window's activation and the unattended run both begin.
// A check that fails gives a fatal failure with the text to show; the run ends there.

struct StartedRun {
    std::string owner;      // the registered owner, for the greeting
    bool logCopied = true;   // uninstall mode: whether the installed log reached its working copy
    LogTrust logTrust = LogTrust::Matches;  // uninstall mode: what the record of its install says of it
};

// The platform flag, the registry object, the system folders, the working copy of the log
// (copied from the installed log in uninstall mode, started afresh otherwise), the folders checked.
Result<StartedRun> StartRun();
// Install mode: the working copy of the setup script, its package name into `Setup`, and the
// log's first entry naming the package.
Status OpenSetupScript();
// Uninstall mode: the package name of the log's working copy into `Setup`; a log that changed
// since its install, or that no install recorded, ends the run here.
Status ReadLoggedPackageName(const StartedRun& started);
