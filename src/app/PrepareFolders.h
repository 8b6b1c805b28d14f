#pragma once

enum class FolderPreparation { Ready, Declined, Failed };

// Makes the install folder (after asking), the subfolders the script lists below it and the
// other folders it names, each made level logged. A refusal or a failure is told in a message
// box. The install run after this reads the media through the current directory, so the folder
// current on entry is current again on every way out.
FolderPreparation PrepareInstallFolders();
