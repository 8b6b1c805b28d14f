#pragma once
#include <string>

#include "fsutil/LogRecord.h"

// Where the uninstall log of an install into `folder` lives: the folder, "\" and "uninstal.ini".
std::string InstalledLogPath(const std::string& folder);

// Whose the log file at `installedLog` is: there is none; it is this run's package's and matches
// the record of its install; it names another package (or none at all, or cannot be read); or it
// names this package but was changed since its install, or no install recorded it. Only the
// first two may be replaced or added to.
enum class FolderLog { None, ThisPackage, Other, Changed, Unrecorded };
struct FolderLogCheck {
    FolderLog kind = FolderLog::None;
    InstalledLogContent log;  // what was read and checked
    std::string checkedCopy;  // that content, as a file in the working folder
};
FolderLogCheck LogAt(const std::string& installedLog);
// Why a log of this package that may not be added to is distrusted ("was changed after its
// install", ...); empty for the other kinds.
std::string DistrustOf(FolderLog kind);

// `folder` as the platform would spell it in full: no ".." or "." steps, no doubled separators, no
// "\" at its end (but a drive root's); a path that is not full stays as it is, to be refused.
std::string CanonicalInstallFolder(const std::string& folder);

// Why `folder` cannot be taken as the install folder, in the words the user is shown; the
// empty text when it can. A folder reached through a link (it, or the nearest folder above it
// that exists, is a junction, mount point or symbolic link, or lies beyond one) is refused.
std::string InstallFolderProblem(const std::string& folder);
