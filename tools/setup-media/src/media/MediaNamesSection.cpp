#include "media/MediaNamesSection.h"

#include <map>

#include "script/SetupScript.h"

std::string MediaNamesSections(const std::vector<RenamedEntry>& renamed, const std::string& newline) {
    std::map<int, std::string> byDisk;
    for (const RenamedEntry& entry : renamed) byDisk[entry.disk] += entry.key + "=" + entry.mediaName + newline;
    std::string sections;
    for (const auto& [disk, lines] : byDisk)
        sections += (sections.empty() ? "" : newline) + "[" + MediaNamesSectionName(disk) + "]" + newline + lines;
    return sections;
}
