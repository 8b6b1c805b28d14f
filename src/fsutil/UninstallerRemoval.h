#pragma once
#include <string>

// The uninstall program of the user's own packages (fsutil/ProgramsListEntry.h) goes with the last
// of them. A program cannot delete its own running file: when the uninstall runs from that copy,
// a copy of the program in the user's Temp, which the platform deletes as soon as it ends, waits
// for this run to end and deletes it then. Nothing of it stays, and no restart is needed.

// After a per-user uninstall: removes the uninstall program when no entry of the user's names it.
void RemoveUnusedUninstaller();

// True when this program is such a copy, started with `arguments` (the id of the run it waits
// for); it has then done its part, and the process ends.
bool RemovedUninstallerAsCopy(const std::string& arguments);
