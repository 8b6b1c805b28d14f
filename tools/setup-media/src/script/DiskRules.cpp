#include <algorithm>
#include <map>
#include <vector>

#include "fsutil/FileNames.h"
#include "script/ScriptRules.h"
#include "script/SetupScript.h"
#include "setupdata/ScriptNames.h"

namespace {

// The run's own working copies lie in the Temp folder, where each file is expanded first.
constexpr const char* WorkingCopyNames[] = {ScriptFileName, LogFileName};
// Names Windows keeps for devices, with any extension.
constexpr std::string_view DeviceNames[] = {"con", "prn", "aux", "nul"};
constexpr std::string_view NumberedDeviceNames[] = {"com", "lpt"};

void CheckDiskCount(const CheckInput& input, Findings& findings) {
    const ProfileText& script = input.script;
    const ProfileEntry* n = script.FindEntry(DisksSection, DiskCountKey);
    if (!n) {
        findings.push_back({LineOf(script.Find(DisksSection)), Severity::Error,
                            "[Disks] n is missing: setup stops with \"Invalid number of disks\""});
        return;
    }
    const std::optional<int32_t> count = DiskCount(script);
    if (!count || *count <= 0) {
        findings.push_back({n->line, Severity::Error,
                            "[Disks] n " + Quoted(n->value) +
                                " is not a number above 0: setup stops with \"Invalid number of disks\""});
        return;
    }
    for (const ProfileSection& section : script.Sections())
        if (IsReadAsDiskSection(section, script) && *DiskSectionNumber(section.name) > *count)
            findings.push_back({section.line, Severity::Error,
                                "[" + section.name + "] is never read: [Disks] n is " + std::to_string(*count)});
    // Counted, not listed: the count may be far larger than the script.
    const std::vector<int> present = DiskSectionNumbers(script);
    int firstBare = 1;
    while (std::binary_search(present.begin(), present.end(), firstBare)) ++firstBare;
    const auto within = std::upper_bound(present.begin(), present.end(), *count) - present.begin();
    const int64_t bare = static_cast<int64_t>(*count) - within;
    if (bare == 1)
        findings.push_back({n->line, Severity::Error,
                            "disk " + std::to_string(firstBare) + " has no [" + DiskSectionName(firstBare) +
                                "]: setup asks for the disk and installs nothing from it"});
    else if (bare > 1)
        findings.push_back({n->line, Severity::Error,
                            std::to_string(bare) + " disks have no section of their own, from disk " +
                                std::to_string(firstBare) + " on: setup asks for each and installs nothing from it"});
}

void CheckDiskSectionNames(const ProfileText& script, Findings& findings) {
    for (const ProfileSection& section : script.Sections()) {
        const bool diskLike = DiskSectionNumber(section.name) || EqualIgnoringCase(section.name, "ProgramFiles");
        if (diskLike && !IsReadAsDiskSection(section, script) && script.Find(section.name) == &section)
            findings.push_back(
                {section.line, Severity::Error,
                 "[" + section.name + "] is never read: disk sections are named ProgramFiles01, ProgramFiles02, ..."});
    }
}

bool IsDeviceName(const std::string& name) {
    const std::string stem = LowerCase(name.substr(0, name.find('.')));
    for (std::string_view device : DeviceNames)
        if (stem == device) return true;
    for (std::string_view device : NumberedDeviceNames)
        if (stem.size() == 4 && stem.starts_with(device) && stem[3] >= '1' && stem[3] <= '9') return true;
    return false;
}

// Why Windows cannot hold a file of that name as written; nothing when it can.
std::optional<std::string> NameFault(const std::string& name) {
    if (name.find_first_of("<>:\"/|?*") != std::string::npos ||
        std::any_of(name.begin(), name.end(), [](char c) { return static_cast<unsigned char>(c) < 0x20; }))
        return "holds a character Windows does not allow in file names";
    if (name.back() == '.' || name.back() == ' ') return "ends in a dot or blank, which Windows drops";
    if (IsDeviceName(name)) return "is the name of a Windows device";
    return std::nullopt;
}

void CheckFileNames(const ProfileText& script, Findings& findings) {
    for (const ProgramFile& file : ProgramFiles(script)) {
        if (file.name.empty() || file.name.find("%%") != std::string::npos) {
            findings.push_back({file.entry->line, Severity::Error,
                                "destination " + Quoted(file.entry->value) + " must end in the file's name"});
            continue;
        }
        if (const std::optional<std::string> fault = NameFault(file.name)) {
            findings.push_back(
                {file.entry->line, Severity::Error, "the file name " + Quoted(file.name) + " " + *fault});
            continue;
        }
        for (const char* reserved : WorkingCopyNames)
            if (EqualIgnoringCase(file.name, reserved))
                findings.push_back(
                    {file.entry->line, Severity::Error,
                     "a package file named " + std::string(reserved) + " would overwrite the run's own working copy"});
    }
}

// Two files one disk would hold under one name, which Windows does not tell apart from another
// by case: disk 1's own files, the licence, and the package files compressed. When the build
// spreads the files, any two may share a disk.
class MediaNames {
public:
    explicit MediaNames(Findings& findings) : findings_(findings) {}

    void Claim(int disk, const std::string& stored, const std::string& name, const std::string& origin, size_t line) {
        const auto [first, isNew] = claimed_.try_emplace({disk, LowerCase(stored)}, Claimant{name, origin});
        if (isNew || first->second.name == name) return;
        findings_.push_back({line, Severity::Error,
                             origin + " and " + first->second.origin + " would both be " + stored + " on " +
                                 (disk ? "disk " + std::to_string(disk) : std::string("a disk")) +
                                 ": rename one or put them on different disks"});
    }

private:
    struct Claimant {
        std::string name;
        std::string origin;
    };
    Findings& findings_;
    std::map<std::pair<int, std::string>, Claimant> claimed_;
};

void CheckMediaNames(const CheckInput& input, Findings& findings) {
    MediaNames names(findings);
    // Disk 0 stands for whichever disk the build puts a file on.
    const int firstDisk = input.disksAssignedByBuild ? 0 : 1;
    // Only package files of one name are one file; these are each a file of their own.
    const auto claimOwn = [&](const std::string& name, const std::string& origin, size_t line) {
        names.Claim(firstDisk, name, origin, origin, line);
    };
    for (const std::string own : {SetupProgramName, ScriptFileName}) claimOwn(own, "setup's own " + own, 1);
    claimOwn(DiskIdFileName(1), "setup's own " + DiskIdFileName(1), 1);
    if (const std::optional<std::string> licence = LicenceFileName(input.script)) {
        const ProfileEntry* entry = input.script.FindEntry(LicenceSection, LicenceKey);
        claimOwn(*licence, "the licence text " + Quoted(*licence),
                 entry ? entry->line : LineOf(input.script.Find(LicenceSection)));
    }
    for (const ProgramFile& file : ProgramFiles(input.script)) {
        if (file.name.empty() || NameFault(file.name)) continue;
        names.Claim(input.disksAssignedByBuild ? 0 : file.disk, CompressedFileName(file.name), file.name,
                    Quoted(file.name) + " (line " + std::to_string(file.entry->line) + ")", file.entry->line);
    }
}

}  // namespace

void CheckDisks(const CheckInput& input, Findings& findings) {
    if (!input.disksAssignedByBuild) CheckDiskCount(input, findings);
    CheckDiskSectionNames(input.script, findings);
    CheckFileNames(input.script, findings);
    CheckMediaNames(input, findings);
}
