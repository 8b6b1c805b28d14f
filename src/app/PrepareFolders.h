#pragma once
#include "base/Status.h"

enum class FolderPreparation { Ready, Declined, Failed };

// Makes the install folder (after asking), the subfolders the script lists below it and the
// other folders it names, each made level logged. A refusal or a folder that cannot be made is
// told in a message box; a log that cannot be written fails, for the caller to report. The folder
// current on entry is current again on every way out.
Result<FolderPreparation> PrepareInstallFolders();
