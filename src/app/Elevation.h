#pragma once
#include <windows.h>

#include <string>

#include "base/Status.h"

// Whether this run has the administrators' rights, and starting it again with them. The one seam
// the tests replace: wine runs every program elevated, so only a stand-in shows the other branch.
class Elevation {
public:
    virtual ~Elevation() = default;
    // The Administrators group is in force: an elevated run, or the system account.
    virtual bool Elevated();
    // Starts this program's own file again, elevated (the platform's "runas"), with `arguments`,
    // waits for it and gives its exit code; a failure when it could not be started (refused at
    // the prompt: the code ERROR_CANCELLED).
    virtual Result<DWORD> RunElevated(const std::string& arguments);

    static Elevation& Current();
    // Puts `seam` in place of the platform's answers; null puts them back.
    static void Replace(Elevation* seam);
};

// The exit code of an unattended run whose elevation was refused or impossible: the platform's
// "cancelled by the user", which deployment tools know.
inline constexpr int ExitElevationRefused = 1223;

// What a run that needed elevation and could not get it says, for an install or an uninstall of
// the package `name`.
std::string NeedsAdministratorText(const std::string& name, bool uninstall);
