#pragma once
#include "base/Status.h"

// Leaves the log of an install run in the install folder as uninstal.ini, complete or not at all:
// - a run that made nothing leaves an existing log as it is;
// - a log of the same package already there gets this run's entries added (the earlier ones
//   first, then those it does not hold, numbered on), so one uninstall removes what both made;
//   after a complete install, what the earlier one had and this one no longer ships is then
//   removed and leaves the log (app/UpgradeRemoval.h);
// - a file of that name that is not the package's log is never replaced;
// - the log is staged beside its place, checked and only then put in place, with its digest
//   recorded where only administrators can write.
// Why the log could not be put in place (then nothing of it is), or success.
Status PlaceInstalledLog();
// PlaceInstalledLog, and when it fails, the working log is recorded where it is and the user is
// told where it was kept: false, and that copy must stay.
bool LeaveLogInInstallFolder();
