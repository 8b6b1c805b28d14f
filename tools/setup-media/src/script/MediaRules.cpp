#include "fsutil/FileNames.h"
#include "script/MediaNaming.h"
#include "script/ScriptRules.h"
#include "script/SetupScript.h"
#include "setupdata/ScriptNames.h"

void CheckMedia(const CheckInput& input, Findings& findings) {
    const std::optional<int32_t> disks = DiskCount(input.script);
    if (!input.mediaHolds || !disks) return;
    if (!input.mediaHolds(1, "setup.exe"))
        findings.push_back({1, Severity::Error, "setup.exe is not on disk 1 of the media"});
    const ProfileEntry* count = input.script.FindEntry(DisksSection, DiskCountKey);
    // Only disks with a section: any other disk is an error of its own, and there may be
    // millions of them.
    for (const int disk : DiskSectionNumbers(input.script))
        if (disk <= *disks && !input.mediaHolds(disk, DiskIdFileName(disk)))
            findings.push_back({count->line, Severity::Error,
                                DiskIdFileName(disk) + " is not on disk " + std::to_string(disk) + " of the media"});
    const std::vector<ProgramFile> files = ProgramFiles(input.script);
    const std::vector<std::string> names =
        MediaNamesOf(files, SourcesOf(files, PackageFolder(input.scriptFolder)), ReservedNames(input.script));
    for (size_t i = 0; i < files.size(); ++i) {
        const ProgramFile& file = files[i];
        if (file.disk > *disks || file.name.empty()) continue;
        const std::string stored = CompressedFileName(names[i]);
        if (!input.mediaHolds(file.disk, stored))
            findings.push_back({file.entry->line, Severity::Error,
                                stored + " is not on disk " + std::to_string(file.disk) + " of the media"});
    }
}
