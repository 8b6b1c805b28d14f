#pragma once
#include <string>

// Where the uninstall log of an install into `folder` lives: the folder, "\" and "uninstal.ini".
std::string InstalledLogPath(const std::string& folder);

// Whose the log file at `installedLog` is: there is none, it names this run's package, or it
// names another (or none at all) and is not this package's to replace.
enum class FolderLog { None, ThisPackage, Other };
FolderLog LogAt(const std::string& installedLog);

// Why `folder` cannot be taken as the install folder, in the words the user is shown; the
// empty text when it can.
std::string InstallFolderProblem(const std::string& folder);
