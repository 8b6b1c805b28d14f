#pragma once
#include "base/Status.h"

// Checks the Windows, System, Program Files and Common Files folders of `Setup`, in this
// order. Missing Program Files and Common Files folders are made, and logged in the uninstall
// log. Fails, fatally, with the message of the first folder that fails.
Status CheckStartupFolders();
