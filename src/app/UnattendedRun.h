#pragma once
#include <string>

#include "app/UnattendedCommand.h"

// The exit codes deployment tools read.
inline constexpr int ExitSuccess = 0;
inline constexpr int ExitRestartNeeded = 3010;  // done, but something goes only at the next restart
inline constexpr int ExitFailed = 1603;

// Where the unattended runs keep their log: the Temp folder's setup.log.
std::string UnattendedLogPath();

// The install or uninstall the command asks for, without a window: the same steps in the same
// order as the windows take them, the licence taken as accepted, every disk expected present.
// `argumentText` is written to the log as the run's first line. Returns the exit code.
int RunUnattended(const std::string& argumentText, const UnattendedCommand& command);
