#pragma once
#include <string>
#include <vector>

#include "script/ProfileText.h"
#include "script/SetupScript.h"

// The media's copy of a script whose files were spread over disks anew: the disk sections
// are written again from `disks` (the new disk of each of `files`, as ProgramFiles listed
// them), [Disks] n says `diskCount`, and shortcut references follow their files. Every other
// line stays as the author wrote it.
std::string RewriteForDisks(const std::string& text, const ProfileText& script, const std::vector<ProgramFile>& files,
                            const std::vector<int>& disks, int diskCount);
