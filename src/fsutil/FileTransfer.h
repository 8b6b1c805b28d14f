#pragma once
#include <string>

// The file operations between the setup media (bare names, read from MediaSource.h), the Temp
// directory of `Setup` and the destination. A path longer than the path rule allows is never
// used: a media file so found counts as missing, a Temp path as a failure. Results: 0 or -1,
// true or false; they never show messages.

// "disk01.id" for 1, "disk100.id" for 100.
std::string DiskIdFileName(int number);
// True when the identification file of disk `number` can be found.
bool DiskIdPresent(int number);
// What the expansions below give when the one-file setup's payload gave other bytes than it
// was built with (MediaSource.h): the run ends with SetupFileDamagedText.
inline constexpr int SetupFileDamaged = -2;

// Expands the package file `name` from the media (fsutil/MediaSource.h) into Temp + `workName`
// (by default the name itself), replacing any file there.
// A compressed file cut inside its header, or whose expanded length differs from the one its
// header declares (a truncated or damaged file), gives -1 and leaves no Temp file; a file not
// in the compressed format is copied unchanged.
int ExpandToTemp(const std::string& name, const std::string& workName = {});
// Expands the package file `name` from the media into `target`, which must not exist yet:
// nothing that is there, not even a link, is written through. 0 when done; 1 when it cannot be
// made or written (something is there, the folder refuses it, the drive is full), and nothing of
// it is left; -1 when the media file cannot be expanded, as for ExpandToTemp, which leaves no
// part of the target.
int ExpandToNewFile(const std::string& name, const std::string& target);
// Copies Temp + name to `target`. With `failIfExists` set, an existing target is kept and
// counts as success; every other failure gives -1 and leaves no part of a target that was
// not there before.
int CopyFromTemp(const std::string& name, const std::string& target, bool failIfExists);
// Deletes Temp + name; on Windows NT a file that cannot be deleted now (in use) is deleted at
// the next restart. Reports nothing.
void DeleteTempFile(const std::string& name);
