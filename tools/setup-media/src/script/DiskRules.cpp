#include <algorithm>
#include <map>
#include <vector>

#include "fsutil/FileNames.h"
#include "script/ScriptRules.h"
#include "script/SetupScript.h"
#include "script/WindowsNames.h"
#include "setupdata/ScriptNames.h"

namespace {

// The run's own working copies lie in the Temp folder, where each file is expanded first.
constexpr const char* WorkingCopyNames[] = {ScriptFileName, LogFileName};

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

// The licence lies on disk 1 beside setup's own files, which Windows does not tell apart from it
// by case. (Package files of one name get names of their own on the media, MediaNaming.h.)
void CheckLicenceName(const CheckInput& input, Findings& findings) {
    const std::optional<std::string> licence = LicenceFileName(input.script);
    if (!licence) return;
    const ProfileEntry* entry = input.script.FindEntry(LicenceSection, LicenceKey);
    const size_t line = entry ? entry->line : LineOf(input.script.Find(LicenceSection));
    for (const std::string& own : {std::string(SetupProgramName), std::string(ScriptFileName), DiskIdFileName(1)})
        if (EqualIgnoringCase(*licence, own))
            findings.push_back({line, Severity::Error,
                                "the licence text " + Quoted(*licence) + " and setup's own " + own +
                                    " would both be " + own + " on disk 1: rename the licence text"});
}

}  // namespace

void CheckDisks(const CheckInput& input, Findings& findings) {
    if (!input.disksAssignedByBuild) CheckDiskCount(input, findings);
    CheckDiskSectionNames(input.script, findings);
    CheckFileNames(input.script, findings);
    CheckLicenceName(input, findings);
}
