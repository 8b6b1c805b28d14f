#pragma once
#include <string>
#include <vector>

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
