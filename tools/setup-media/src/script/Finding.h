#pragma once
#include <functional>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "script/ProfileText.h"

enum class Severity { Warning, Error };

// One thing in a setup script that misbehaves at run time, at the line that causes it.
struct Finding {
    size_t line = 1;
    Severity severity = Severity::Error;
    std::string message;
};

using Findings = std::vector<Finding>;

// What the rules look at.
struct CheckInput {
    const ProfileText& script;
    std::filesystem::path scriptFolder;          // where the licence text lies beside the script; empty
                                                 // for a one-file setup, whose media hold it
    // Built media to check as well: whether disk `disk` of them holds the file `name`.
    std::function<bool(int disk, const std::string& name)> mediaHolds;
    bool disksAssignedByBuild = false;           // [Disks] and the disk sections are about to be rewritten
};

// "FILE:LINE: error: MESSAGE", the form compilers use.
std::string FormatFinding(const std::string& file, const Finding& finding);

bool HasErrors(const Findings& findings);
