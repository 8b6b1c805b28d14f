#pragma once
#include <string>

// An install of this run's package that is there already: the entry in the list of installed
// programs of the run's scope names its log, and that log is the package's and matches the record
// of its install. An install proposes its folder, and an older version asks before going over it.
struct EarlierInstall {
    std::string folder;   // empty when there is none
    std::string version;  // the entry's DisplayVersion; empty when it has none
};
EarlierInstall FindEarlierInstall();
