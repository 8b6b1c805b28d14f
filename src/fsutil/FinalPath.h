#pragma once
#include <string>

#include "base/OwnedHandle.h"

// What a path really names, as the platform resolved it when it was opened: through every
// junction, mount point, symbolic link, "subst" drive and "\\?\" or short spelling. Two paths
// name the same file or folder exactly when their final paths are equal. Comparing spellings
// instead lets a link in a folder that others can write redirect what the run acts on.

// Opens `path` to look at it: the file or folder itself, never the target of a final link, for
// `access` (attributes only by default, which even a file in use allows). Others may go on
// reading, writing and deleting it.
FileHandle OpenToInspect(const std::string& path, DWORD access = FILE_READ_ATTRIBUTES);

// The final path of the open `item`, in one spelling: full, without the "\\?\" prefix, in lower
// case; the empty text when the platform cannot say.
std::string FinalPathOf(HANDLE item);

// The final path of `path`; empty when it cannot be opened.
std::string FinalPath(const std::string& path);

// Whether the open `item` is what `path` names when no link is followed: its final path equals
// `path` spelt in full, in long names where it used short ones.
bool ReachesAsNamed(HANDLE item, const std::string& path);
