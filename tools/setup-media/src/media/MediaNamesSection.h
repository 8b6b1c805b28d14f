#pragma once
#include <string>
#include <vector>

#include "script/ProfileText.h"
#include "script/SetupScript.h"

// An entry of a disk section whose file lies on the media under another name than its own
// (MediaNaming.h): the disk, the entry's key in that disk's section, the name on the media.
struct RenamedEntry {
    int disk = 0;
    std::string key;
    std::string mediaName;
};

// The media script's [MediaNamesNN] sections, disk by disk, with `newline` after each line;
// setup reads an entry's file from the media under the name given there. Empty when no entry
// is renamed, so media whose files all keep their names read as they always did.
std::string MediaNamesSections(const std::vector<RenamedEntry>& renamed, const std::string& newline);

// The text of `script`, whose files are `files` on the disks it gives them, with the
// [MediaNamesNN] sections of those whose name on the media (`mediaNames`, one for each) is not
// their own after a blank line; its text as it is when there are none. Sections of that name the
// script has itself go: setup reads only the first section of a name, and the names they give are
// among `mediaNames` already.
std::string ScriptWithMediaNames(const ProfileText& script, const std::vector<ProgramFile>& files,
                                 const std::vector<std::string>& mediaNames);
