#pragma once
#include <windows.h>

#include <string>

// Acting on an open file or folder itself, whatever its path names by now: what was checked
// through the handle is what is deleted or moved.

// Deletes it once the last handle goes; false when it may not be deleted now (a running
// program's file, a read-only file, a folder that is not empty).
bool DeleteThrough(HANDLE item);
// Renames it to the full path `target`, replacing a file there only when `replace` says; or, with
// an open `folder`, to the name `target` in that folder, whatever its path names by now.
bool RenameThrough(HANDLE item, const std::string& target, bool replace = false, HANDLE folder = nullptr);
