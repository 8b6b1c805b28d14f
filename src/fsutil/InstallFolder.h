#pragma once
#include <string>

// Where the uninstall log of an install into `folder` lives: the folder, "\" and "uninstal.ini".
std::string InstalledLogPath(const std::string& folder);

// Why `folder` cannot be taken as the install folder, in the words the user is shown; the
// empty text when it can.
std::string InstallFolderProblem(const std::string& folder);
