#include "fsutil/FileDigestRecord.h"
#include "script/PackageFolder.h"
#include "script/ScriptRules.h"
#include "script/SetupScript.h"

// Every line's file lies in the package folder beside the script, where the build takes it from.
// Built media (a script with the files' digests, or the media given) hold them compressed: their
// check is the media's.
void CheckPackageFiles(const CheckInput& input, Findings& findings) {
    if (input.mediaHolds || input.script.Find(FileDigestsSection)) return;
    const PackageFolder package(input.scriptFolder);
    for (const ProgramFile& file : ProgramFiles(input.script)) {
        if (file.name.empty() || package.SourceOf(file.disk, file.entry->value)) continue;
        findings.push_back({file.entry->line, Severity::Error,
                            file.entry->value + ": the package has no file " +
                                package.PlacesOf(file.disk, file.entry->value) + ": the build stops"});
    }
}
