#pragma once
#include "base/Status.h"

// A package for the user alone: its script, before anything is made, and a log of one, before
// anything is removed, may name nothing that needs administrator rights (fsutil/UserScope.h).
Status CheckScriptOfUserScope();
Status CheckLogOfUserScope();
