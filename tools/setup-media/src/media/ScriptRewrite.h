#pragma once
#include <string>
#include <vector>

#include "script/ProfileText.h"
#include "script/SetupScript.h"

// The media's copy of a script whose files were spread over disks anew: the disk sections
// are written again from `disks` (the new disk of each of `files`, as ProgramFiles listed
// them), [Disks] n says `diskCount`, shortcut references follow their files, and the files
// whose name on the media (`mediaNames`, one for each) is not their own get [MediaNamesNN]
// at the end, in place of any the script has. Every other line stays as the author wrote it.
std::string RewriteForDisks(const std::string& text, const ProfileText& script, const std::vector<ProgramFile>& files,
                            const std::vector<int>& disks, int diskCount, const std::vector<std::string>& mediaNames);
