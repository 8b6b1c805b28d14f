#pragma once
#include "base/Status.h"

// A package for the user alone: its script, before anything is made, and a log of one, before
// anything is removed, may name nothing outside that person's own folders and keys
// (fsutil/UserScope.h). The script is checked when it is opened, and again, with what lies in
// the install folder, once that is chosen.
Status CheckScriptOfUserScope();
Status CheckLogOfUserScope();
