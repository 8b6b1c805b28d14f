#pragma once
#include <string>

#include "base/Status.h"

// Writes the shell link `linkPath` that starts `target`, with `description` and the install
// folder of `Setup` as its working directory, replacing any link of that path.
// Fails when the component library cannot be initialised, or a target or link path is longer
// than a path buffer; succeeds otherwise, whether or not the link was written (a missing folder,
// for one).
Status CreateShortcut(const std::string& target, const std::string& description, const std::string& linkPath);
