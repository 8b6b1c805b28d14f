#pragma once
#include <string>

#include "app/UnattendedCommand.h"

// The exit codes deployment tools read.
inline constexpr int ExitSuccess = 0;
inline constexpr int ExitRestartNeeded = 3010;  // done, but something goes only at the next restart
inline constexpr int ExitFailed = 1603;

// The install or uninstall the command asks for, without a window: the same steps in the same
// order as the windows take them, the licence taken as accepted, every disk expected present.
// A failed install removes what it made, as its uninstall would, and puts back what it replaced,
// also over an earlier install of the package, which stays whole. `argumentText` is written to the log as the run's first
// line. Returns the exit code.
int RunUnattended(const std::string& argumentText, const UnattendedCommand& command, const std::string& language);
