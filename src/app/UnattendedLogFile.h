#pragma once
#include <string>
#include <vector>

#include "base/OwnedHandle.h"

// The log of the unattended runs, setup.log, appended run after run: in the Temp folder of the
// account that runs setup, else in the Windows folder's Temp. A log past 1 MB is first moved to
// setup.log.1, replacing the one there. Deployment tools run setup as the system account, whose
// Temp is a folder every user may write: a setup.log that is a link, has more than one name or
// is another account's file is never written through; the run then writes to a fresh name beside
// it, and a Temp folder reached through a link is not used at all. A log file "/LOG=" names
// (Setup.LogFilePath) is used instead when it is a full path, reached through no link, and is
// such a file; else that is said first in setup.log. Opens the log into `file` (left closed when
// no place can be used) and returns the lines the log should start with (what was passed over).
std::vector<std::string> OpenUnattendedLog(FileHandle& file);
