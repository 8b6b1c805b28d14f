#pragma once
#include "base/Status.h"

// An install over an earlier install of its package that is of a newer version (fsutil/EarlierInstall.h)
// would go back to an older one. A package or an entry without a version is never such a case.

// The platform's ERROR_PRODUCT_VERSION, which deployment tools read as "a newer version is installed".
inline constexpr unsigned long ExitNewerInstalled = 1638;

// Unattended: a failure with that code, saying which versions, when the run would go back; nothing
// is asked, and the run makes nothing.
Status RefuseDowngrade();
// Windowed: true unless the run would go back and the person, asked with No as the default, does
// not want it.
bool DowngradeAccepted();
