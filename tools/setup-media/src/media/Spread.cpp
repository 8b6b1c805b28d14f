#include "media/Spread.h"

#include <set>

#include "media/BuildError.h"
#include "script/ProfileText.h"

std::vector<int> SpreadOverDisks(const std::vector<SpreadItem>& items, const DiskCapacity& capacity,
                                 uint64_t firstDiskFixed, uint64_t otherDiskFixed) {
    std::vector<int> disks;
    int disk = 1;
    uint64_t used = firstDiskFixed;
    std::set<std::string> onDisk;
    for (const SpreadItem& item : items) {
        const uint64_t room = SpaceTaken(item.size, capacity);
        if (onDisk.count(LowerCase(item.name))) {
            disks.push_back(disk);
            continue;
        }
        if (used + room > capacity.bytes) {
            if (otherDiskFixed + room > capacity.bytes)
                throw BuildError(item.name + " (" + GroupedDigits(item.size) + " bytes) does not fit on an empty " +
                                 capacity.label + " disk: " + GroupedDigits(otherDiskFixed + room - capacity.bytes) +
                                 " bytes over");
            ++disk;
            used = otherDiskFixed;
            onDisk.clear();
        }
        used += room;
        onDisk.insert(LowerCase(item.name));
        disks.push_back(disk);
    }
    return disks;
}
