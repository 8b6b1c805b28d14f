#pragma once
#include <windows.h>

#include <string>

#include "base/Status.h"

// The file operations between the setup media (bare names, read through MediaSource.h), the Temp
// directory of `Setup` and the destination. A path longer than the path rule allows is never
// used: a media file so found counts as missing, a Temp path as a failure.

// "disk01.id" for 1, "disk100.id" for 100.
std::string DiskIdFileName(int number);
// True when the identification file of disk `number` can be found.
bool DiskIdPresent(int number);
// Expands the package file `name` from the media into Temp + `workName` (by default the name
// itself), replacing any file there; a file not in the compressed format is copied unchanged.
// A media file that is missing, cut inside its header or expands to another length than its
// header declares (a truncated or damaged file), or a Temp file that cannot be written, fails
// with "Error expanding" the name; a one-file setup whose payload gave other bytes than it was
// built with fails with "The setup file is damaged. Download it again.". No Temp file is left then.
Status ExpandToTemp(const std::string& name, const std::string& workName = {});
// Expands the package file `name` from the media into the open file `target`: "Error expanding"
// the name when the media file is missing, damaged or differs from its record, "Error
// installing" it when the target cannot take it (a full drive), "The setup file is damaged. Download it again." when the
// one-file setup's payload is. The caller removes a target that failed. With `text`, the content
// is appended there instead (a plan's digest), and `target` is not used.
Status ExpandInto(const std::string& name, HANDLE target, std::string* text = nullptr);
// Deletes Temp + name; on Windows NT a file that cannot be deleted now (in use) is deleted at
// the next restart. Reports nothing.
void DeleteTempFile(const std::string& name);
