#pragma once
#include "script/ProfileText.h"
#include "script/SetupScript.h"

// The script as it would read with [Package] scope set to `scope`: the entry's value replaced
// where it stands, or the entry added first in [Package] (later lines then count one more).
ProfileText ScriptWithScope(const ProfileText& script, PackageScope scope);
