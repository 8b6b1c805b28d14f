#pragma once
#include <string>

// What a package says of itself before the run makes anything, read from the media's script (or
// from the log to uninstall) as they stand: whether it is for the user alone, and its name. It
// decides only whether the run asks for elevation first; the run then reads and checks its own
// copy as ever.
struct PackageFacts {
    bool userScope = false;
    std::string name;
};
// `logPath`: the log an uninstall was started with; empty for an install.
PackageFacts ReadPackageFacts(const std::string& logPath);

// Whether a [Package] scope value asks for a package of the user alone.
bool IsUserScope(const std::string& value);
