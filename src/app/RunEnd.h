#pragma once

// The end of every run, whatever came before: the shared objects released, the uninstall log
// left in the install folder (unless `leaveLog` says the run already did), the working copies
// deleted.
void EndRun(bool leaveLog = true);
