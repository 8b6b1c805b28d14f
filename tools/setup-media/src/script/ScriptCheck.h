#pragma once
#include <filesystem>
#include <functional>

#include "script/Finding.h"

// Every finding of every rule, in line order, at the lines of the author's script.
Findings CheckScript(const CheckInput& input);

// The author's script with its folder lines written out from the package folder beside it, as
// setup-media builds it, and every finding of it and of its folder lines.
struct CheckedScript {
    ProfileText script;
    Findings findings;
};
CheckedScript CheckPackageScript(const ProfileText& authored, const std::filesystem::path& packageFolder,
                                 std::function<bool(int disk, const std::string& name)> mediaHolds,
                                 bool disksAssignedByBuild);
