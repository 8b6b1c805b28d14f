#pragma once
#include <string>

#include "base/Status.h"

// True when `path` can be made the current directory (a file, or a directory that may not be
// entered, counts as absent). The current directory is left as it was.
bool DirectoryExists(const std::string& path);

// Makes every level of the absolute path `path` exist, from the root down, and logs each level
// it creates under [Directories] of the uninstall log, parents before children. The first level
// (the drive, "C:") is taken as given. A level that is missing is created; one that cannot be
// entered for another reason, or cannot be created, ends the walk with false, leaving the levels
// made so far in place and logged. A trailing "\" stays part of the last level.
// The current directory is left as it was. A path longer than a path buffer fails, and so does
// a level made that the log cannot take.
Result<bool> CreateDirectoryPath(const std::string& path);
