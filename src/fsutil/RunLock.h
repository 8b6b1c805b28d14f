#pragma once
#include "base/OwnedHandle.h"

// One setup at a time on the machine: two runs would stage their logs in one place, record
// digests over each other and remove what the other is installing.
// The exit code of an unattended run refused for that, the one package managers know.
inline constexpr int ExitAnotherSetupRunning = 1618;

// The machine-wide lock (or, for a package of the user alone, that user's), held while the
// returned object lasts; an invalid object when another run holds it (or it cannot be taken).
KernelObject TakeRunLock(bool userScope);
