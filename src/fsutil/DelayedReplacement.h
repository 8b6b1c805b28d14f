#pragma once
#include <string>

#include "base/Status.h"

// A file that a program holds so that it can be neither replaced nor moved aside, replaced at the
// next restart instead (MoveFileEx with MOVEFILE_DELAY_UNTIL_REBOOT). The platform carries that
// out as the system, by the paths it was given: only a path that no one but the administrators can
// redirect may be given. So only an elevated run of a package for the machine may, and only below
// the Program Files, Common Files or Windows folder, which only administrators can write; never a
// package for one user, whose folders the user's own programs can change.
bool MayReplaceAtRestart(const std::string& path);

// Writes the content of `source` beside `path`, through a checked handle, and has it replace
// `path` at the next restart; the run then waits for the restart.
Status ReplaceAtRestart(const std::string& path, const std::string& source);
