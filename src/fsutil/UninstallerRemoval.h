#pragma once
#include <string>

// The uninstall program shared by the packages of a scope (fsutil/ProgramsListEntry.h) goes with
// the last install that needs it: the last recorded one, or the last entry that starts it. A
// program cannot delete its own running file: when the uninstall runs from that copy, a copy of the
// program, which the platform deletes as soon as it ends, waits for this run to end, takes the lock
// of the scope, looks again whether an install needs the program, and deletes it then (and, for the
// user's packages, its folder). Nothing of it stays, and no restart is needed.

// After an uninstall: removes the uninstall program when no install of the scope needs it.
void RemoveUnusedUninstaller();

// True when this program is such a copy, started with `arguments` (its inherited handle of the run
// it waits for, and the scope); it has then done its part, and the process ends.
bool RemovedUninstallerAsCopy(const std::string& arguments);
