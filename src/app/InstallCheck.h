#pragma once
#include <string>

// Checking an install against its log ("/VERIFY"): each file the install recorded a size and
// digest for is read again and compared with them. The log must match the record of its install,
// as for an uninstall. The check only reads: it makes no working folder, takes no lock, and asks
// for no elevation, since a package's files and its record can be read without it.

// The exit codes of the check without a window: 0 all intact, 1 a file missing, changed or
// unreadable; a log that is refused ends as a failed run does.
inline constexpr int ExitFilesNotIntact = 1;

// Checks the install the log at `logPath` records, and tells the result through the run's face:
// a note per file that is not as installed, then one message listing them or saying all are
// intact. The exit code.
int CheckInstall(const std::string& logPath);
