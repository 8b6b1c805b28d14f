#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "media/DiskSize.h"

struct SpreadItem {
    std::string name;  // on the media; a name already on the disk takes no more room
    uint64_t size = 0;
};

// The disk of each item, in order: an item goes on the current disk while that has room, or
// opens the next one. `firstDiskFixed` is the room disk 1 gives to setup, script, licence and
// its id file; `otherDiskFixed` the room each other disk gives to its id file. Throws
// BuildError for an item that does not fit even on an empty disk.
std::vector<int> SpreadOverDisks(const std::vector<SpreadItem>& items, const DiskCapacity& capacity,
                                 uint64_t firstDiskFixed, uint64_t otherDiskFixed);
