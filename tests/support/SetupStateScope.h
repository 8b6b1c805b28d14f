#pragma once
#include <memory>
#include <string>
#include <vector>

#include "state/SetupState.h"

// Gives a test the directories, flags, counters and uninstall log of `Setup` to change as it
// likes, and puts the previous ones back when it ends.
class SetupStateScope {
public:
    SetupStateScope();
    ~SetupStateScope();
    SetupStateScope(const SetupStateScope&) = delete;
    SetupStateScope& operator=(const SetupStateScope&) = delete;

    // Opens a fresh uninstall log at `path` as Setup.UninstallLog, counters at 0.
    void OpenUninstallLog(const std::string& path);

private:
    SetupState saved_;
};

// The "name=value" lines of a section of Setup.UninstallLog, in file order.
std::vector<std::string> UninstallLogLines(const std::string& section);
