#include <algorithm>
#include <optional>
#include <string>

#include "common/FileLookup.h"
#include "common/NearestName.h"
#include "script/ScriptRules.h"
#include "script/SetupScript.h"
#include "setupdata/ScriptNames.h"

namespace {

// The licence page's title and the run's state hold the name in small buffers.
constexpr size_t MaxPackageNameLength = 57;
// Versions take the form Windows gives them: up to four numbers of 16 bits.
constexpr size_t MaxVersionParts = 4;
constexpr unsigned MaxVersionPart = 65535;

bool IsVersion(std::string_view text) {
    size_t parts = 0;
    while (++parts <= MaxVersionParts) {
        const size_t end = std::min(text.find('.'), text.size());
        const std::string_view part = text.substr(0, end);
        if (part.empty() || part.size() > 5 || part.find_first_not_of("0123456789") != std::string_view::npos ||
            std::stoul(std::string(part)) > MaxVersionPart)
            return false;
        if (end == text.size()) return true;
        text.remove_prefix(end + 1);
    }
    return false;
}

void CheckVersion(const ProfileText& script, Findings& findings) {
    const ProfileEntry* version = script.FindEntry(PackageSection, PackageVersionKey);
    if (version && !IsVersion(version->value))
        findings.push_back({version->line, Severity::Error,
                            "[Package] version " + Quoted(version->value) +
                                " is not one to four numbers (0 to 65535) with dots between, such as 2.4.1"});
}

void CheckScope(const ProfileText& script, Findings& findings) {
    const ProfileEntry* scope = script.FindEntry(PackageSection, ScopeKey);
    if (!scope || ScopeOf(script)) return;
    const std::optional<std::string> nearest = NearestName(scope->value, {UserScopeValue, MachineScopeValue});
    findings.push_back({scope->line, Severity::Error,
                        "[Package] scope " + Quoted(scope->value) + ": scope must be user or machine" +
                            (nearest ? "; did you mean " + *nearest + "?" : "")});
}

// Setup makes the entry in the list of installed programs for "yes" exactly, and nothing else.
void CheckUninstallEntry(const ProfileText& script, Findings& findings) {
    const ProfileEntry* entry = script.FindEntry(PackageSection, UninstallEntryKey);
    const bool wanted = entry && entry->value == UninstallEntryWanted;
    if (entry && !wanted && !EqualIgnoringCase(entry->value, "no"))
        findings.push_back({entry->line, Severity::Warning,
                            "uninstallentry=" + entry->value +
                                " asks for no entry in the list of installed programs: only yes, in lower case, "
                                "does (no for none)"});
    if (wanted) return;
    for (const char* key : {PackageVersionKey, PublisherKey})
        if (const ProfileEntry* shown = script.FindEntry(PackageSection, key))
            findings.push_back({shown->line, Severity::Warning,
                                std::string(key) + "= is shown only in the entry in the list of installed programs, "
                                                   "which needs uninstallentry=yes"});
}

}  // namespace

void CheckPackage(const CheckInput& input, Findings& findings) {
    const ProfileText& script = input.script;
    const ProfileEntry* name = script.FindEntry(PackageSection, PackageNameKey);
    if (!name)
        findings.push_back({LineOf(script.Find(PackageSection)), Severity::Error,
                            "[Package] name is missing: setup stops with \"install.ini not found or invalid\""});
    else if (CharacterCount(name->value) > MaxPackageNameLength)
        findings.push_back({name->line, Severity::Error,
                            "the package name has " + std::to_string(CharacterCount(name->value)) +
                                " characters; at most " + std::to_string(MaxPackageNameLength) + " fit"});
    CheckVersion(script, findings);
    CheckScope(script, findings);
    CheckUninstallEntry(script, findings);
}

void CheckLicence(const CheckInput& input, Findings& findings) {
    const ProfileEntry* entry = input.script.FindEntry(LicenceSection, LicenceKey);
    size_t line = entry ? entry->line : LineOf(input.script.Find(LicenceSection));
    if (entry && entry->value != NoLicenceValue && EqualIgnoringCase(entry->value, NoLicenceValue)) {
        findings.push_back({line, Severity::Error,
                            "licence " + Quoted(entry->value) +
                                " names a file: only \"none\" in lower case goes without a licence page"});
        return;
    }
    const std::optional<std::string> licence = LicenceFileName(input.script);
    if (!licence) return;
    // Without the key the page shows a file the author may never have named, maybe in a section misspelt.
    const ProfileSection* meant = input.script.Find(LicenceSection) ? nullptr : SectionMeaning(input.script, LicenceSection);
    const std::string why = entry ? ""
                            : "[Licence] licence is missing" + (meant ? " ([" + meant->name + "] is not [Licence])" : "") +
                                  ", so setup shows " + DefaultLicenceFile + ", and ";
    if (meant) line = meant->line;
    if (!input.scriptFolder.empty() && !HasFileIgnoringCase(input.scriptFolder, *licence))
        findings.push_back({line, Severity::Error,
                            why + "the licence text " + Quoted(*licence) + " is not beside the script" +
                                (entry ? "" : " (licence=none for no licence page)")});
    if (input.mediaHolds && !input.mediaHolds(1, *licence))
        findings.push_back({line, Severity::Error, "the licence text " + Quoted(*licence) + " is not on the media"});
}
