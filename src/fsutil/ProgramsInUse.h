#pragma once
#include <string>
#include <vector>

// Before files are replaced or removed: the programs that hold any of `paths` that exist are
// named to the person, who chooses to have them closed (never forced) and go on, or to go on
// without closing them, their files then replaced at the next restart. What would not close is
// named, to be tried again or left. An unattended run closes them unless told not to
// (`Setup.NoClose`) and logs what it closed. Services are named and never stopped.
void CloseProgramsHolding(const std::vector<std::string>& paths);

// After the install: starts again what was closed and registered itself to be restarted.
void RestartClosedPrograms();
