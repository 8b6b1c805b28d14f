#pragma once
#include <string>

// Writes the shell link `linkPath` that starts `target`, with `description` and the install
// folder of `Setup` as its working directory, replacing any link of that path.
// Returns -1 when the component library cannot be initialised, else 0, whether or not the
// link was written (a missing folder, for one). A target or link path longer than a path
// buffer raises SetupError.
int CreateShortcut(const std::string& target, const std::string& description, const std::string& linkPath);
