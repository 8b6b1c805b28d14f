#pragma once
#include <string>
#include <vector>

// What becomes of programs that hold files the run is about to replace or remove.
enum class HolderChoice {
    Ask,    // the windows ask: close them and go on, or go on without closing
    Close,  // an unattended run closes them
    Keep,   // "/NOCLOSE": nothing is closed
};
// This run's choice; the windows' unless the run sets another.
extern HolderChoice HoldersChoice;

// Before the run replaces or removes `files`: the programs that hold any of them (the platform's
// Restart Manager names them) are asked to close, never forced, as the run's choice says; what
// would not close is named, and the windows offer to try again. Services are never stopped: they
// are named, and their files, as those of programs left running, wait for the restart.
void CloseProgramsHolding(const std::vector<std::string>& files);
