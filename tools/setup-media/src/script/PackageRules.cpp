#include <optional>

#include "common/FileLookup.h"
#include "script/ScriptRules.h"
#include "script/SetupScript.h"
#include "setupdata/ScriptNames.h"

namespace {

// The licence page's title and the run's state hold the name in small buffers.
constexpr size_t MaxPackageNameLength = 57;

}  // namespace

void CheckPackage(const CheckInput& input, Findings& findings) {
    const ProfileText& script = input.script;
    if (script.StartsWithByteOrderMark())
        findings.push_back({1, Severity::Warning,
                            "the file starts with a UTF-8 byte-order mark, which Windows reads as part of the first "
                            "line: save it without one"});
    const ProfileEntry* name = script.FindEntry(PackageSection, PackageNameKey);
    if (!name)
        findings.push_back({LineOf(script.Find(PackageSection)), Severity::Error,
                            "[Package] name is missing: setup stops with \"install.ini not found or invalid\""});
    else if (name->value.size() > MaxPackageNameLength)
        findings.push_back({name->line, Severity::Error,
                            "the package name has " + std::to_string(name->value.size()) + " characters; at most " +
                                std::to_string(MaxPackageNameLength) + " fit"});
}

void CheckLicence(const CheckInput& input, Findings& findings) {
    const ProfileEntry* entry = input.script.FindEntry(LicenceSection, LicenceKey);
    const size_t line = entry ? entry->line : LineOf(input.script.Find(LicenceSection));
    if (entry && entry->value != NoLicenceValue && EqualIgnoringCase(entry->value, NoLicenceValue)) {
        findings.push_back({line, Severity::Error,
                            "licence " + Quoted(entry->value) +
                                " names a file: only \"none\" in lower case goes without a licence page"});
        return;
    }
    const std::optional<std::string> licence = LicenceFileName(input.script);
    if (!licence) return;
    if (!HasFileIgnoringCase(input.scriptFolder, *licence))
        findings.push_back(
            {line, Severity::Error, "the licence text " + Quoted(*licence) + " is not beside the script"});
    if (input.media && !HasFileIgnoringCase(MediaDiskFolder(*input.media, 1), *licence))
        findings.push_back({line, Severity::Error, "the licence text " + Quoted(*licence) + " is not on the media"});
}
