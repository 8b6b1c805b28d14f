#pragma once
#include <string>

#include "base/OwnedHandle.h"

// The log of the unattended runs, setup.log, appended run after run: in the Temp folder of the
// account that runs setup, else in the Windows folder's Temp. A log past 1 MB is first moved to
// setup.log.1, replacing the one there. Deployment tools run setup as the system account, whose
// Temp is a folder every user may write: a setup.log that is a link, has more than one name or
// is another account's file is never written through; the run then writes to a fresh name beside
// it, and a Temp folder reached through a link is not used at all. Opens the log into `file` (left closed when no place can be used) and returns the line the
// log should start with (what was passed over), or the empty text.
std::string OpenUnattendedLog(FileHandle& file);
