#include "media/DiskContent.h"

#include <algorithm>

#include "media/BuildError.h"
#include "script/ProfileText.h"

namespace {

const MediaFile* FindByName(const std::vector<MediaFile>& files, const std::string& name) {
    const auto found = std::find_if(files.begin(), files.end(),
                                    [&](const MediaFile& file) { return EqualIgnoringCase(file.name, name); });
    return found == files.end() ? nullptr : &*found;
}

}  // namespace

bool DiskContent::Holds(const std::string& name) const { return FindByName(files_, name) != nullptr; }

void DiskContent::Add(const MediaFile& file) {
    const MediaFile* present = FindByName(files_, file.name);
    if (!present) {
        files_.push_back(file);
        return;
    }
    if (present->content != file.content || present->name != file.name)
        throw BuildError(file.origin + " and " + present->origin + " would both be " + file.name + " on disk " +
                         std::to_string(number_));
}

void CheckFits(const std::vector<DiskContent>& disks, const DiskCapacity& capacity) {
    for (const DiskContent& disk : disks) {
        uint64_t used = 0;
        std::string firstOver;
        for (const MediaFile& file : disk.Files()) {
            used += SpaceTaken(file.size, capacity);
            if (used > capacity.bytes && firstOver.empty()) firstOver = file.name;
        }
        if (!firstOver.empty())
            throw BuildError("disk " + std::to_string(disk.Number()) + " is " + GroupedDigits(used - capacity.bytes) +
                             " bytes over a " + capacity.label + " disk (" + GroupedDigits(capacity.bytes) +
                             " bytes), from " + firstOver + " on");
    }
}
