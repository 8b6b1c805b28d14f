#pragma once
#include <string>

class ProtectedFolders;

// The uninstall acts only on what the install made: the path as the log names it, a full path,
// reaching the file or folder itself. Before it deletes, it opens the path without following a
// final link and compares the path the platform resolved with the logged one, then deletes
// through that same handle; a path that reaches something else (through a junction, a mount
// point or a link that someone put in a folder they can write) is left alone.

enum class Removal {
    Done,       // deleted, scheduled for the restart, or not there
    LeftAlone,  // not what the install made there; to be reported
    InUse,      // held open by a program that lets no one delete or move it; to be reported
};

// A logged file or shortcut; a folder in its place is left alone.
Removal RemoveLoggedFile(const std::string& path);
// The installed log, only while its path still reaches the file that was read (`finalPath`):
// a folder on the way swapped for a link since then leaves the log, and anything else, alone.
// True when it is gone.
bool RemoveReadLog(const std::string& path, const std::string& finalPath);
// A logged folder, unless it is one of `platformFolders` (which is skipped silently).
Removal RemoveLoggedFolder(const std::string& path, const ProtectedFolders& platformFolders);
