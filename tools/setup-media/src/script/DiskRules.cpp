#include <set>
#include <vector>

#include "script/ScriptRules.h"
#include "script/SetupScript.h"
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
    std::set<int> present;
    for (const ProfileSection& section : script.Sections()) {
        if (!IsReadAsDiskSection(section, script)) continue;
        const int disk = *DiskSectionNumber(section.name);
        present.insert(disk);
        if (disk > *count)
            findings.push_back({section.line, Severity::Error,
                                "[" + section.name + "] is never read: [Disks] n is " + std::to_string(*count)});
    }
    std::vector<int> bare;
    for (int disk = 1; disk <= *count; ++disk)
        if (!present.count(disk)) bare.push_back(disk);
    if (bare.size() == 1)
        findings.push_back({n->line, Severity::Warning,
                            "disk " + std::to_string(bare[0]) + " has no [" + DiskSectionName(bare[0]) +
                                "]: setup asks for the disk and installs nothing from it"});
    else if (!bare.empty())
        findings.push_back({n->line, Severity::Warning,
                            std::to_string(bare.size()) + " disks have no section of their own, from disk " +
                                std::to_string(bare[0]) + " on: setup asks for each and installs nothing from it"});
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
        for (const char* reserved : WorkingCopyNames)
            if (EqualIgnoringCase(file.name, reserved))
                findings.push_back(
                    {file.entry->line, Severity::Error,
                     "a package file named " + std::string(reserved) + " would overwrite the run's own working copy"});
    }
}

}  // namespace

void CheckDisks(const CheckInput& input, Findings& findings) {
    if (!input.disksAssignedByBuild) CheckDiskCount(input, findings);
    CheckDiskSectionNames(input.script, findings);
    CheckFileNames(input.script, findings);
}
