#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "script/ProfileText.h"

// What the setup reads from its script, found the way the setup finds it.

inline constexpr std::string_view DiskSectionPrefix = "ProgramFiles";

// "ProgramFiles01" for disk 1; three digits above 99.
std::string DiskSectionName(int disk);
// "MediaNames01": the media's names of those of disk 1's files that lie there under a name
// other than their own, by the key of their entry in its disk section.
std::string MediaNamesSectionName(int disk);
// "disk01", the media folder of a disk, and "disk01.id", the file that identifies it.
std::string DiskFolderName(int disk);
std::string DiskIdFileName(int disk);

// For a section named "ProgramFiles" and digits, the disk it would stand for; nothing for any
// other name. The setup reads it only under the name DiskSectionName gives for that number.
std::optional<int> DiskSectionNumber(std::string_view sectionName);
// Likewise for "MediaNames" and digits.
std::optional<int> MediaNamesSectionNumber(std::string_view sectionName);
bool IsReadAsDiskSection(const ProfileSection& section, const ProfileText& script);
// The numbers of the disk sections the setup can read, in ascending order.
std::vector<int> DiskSectionNumbers(const ProfileText& script);

// [Disks] n as the setup reads it: a valid integer text, or nothing.
std::optional<int32_t> DiskCount(const ProfileText& script);

// One entry of a disk section: the destination, the file's name (the destination's last path
// component), and the name it has on the media before compression: its own, unless the disk's
// [MediaNamesNN] gives another (its last component, as setup takes it).
struct ProgramFile {
    int disk = 0;
    std::string name;
    std::string mediaName;
    const ProfileEntry* entry = nullptr;
    const ProfileSection* section = nullptr;
};

// The files of every disk section the setup can read, disk by disk, in script order.
std::vector<ProgramFile> ProgramFiles(const ProfileText& script);

// The licence text's name: [Licence] licence, licence.txt when the key is missing, nothing
// when it is exactly "none".
std::optional<std::string> LicenceFileName(const ProfileText& script);

enum class PackageScope { Machine, User };
// [Package] scope: machine when the key is missing, nothing when its value is neither name.
std::optional<PackageScope> ScopeOf(const ProfileText& script);
