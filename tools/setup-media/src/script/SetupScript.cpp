#include "script/SetupScript.h"

#include <algorithm>
#include <cstdio>
#include <map>

#include "fsutil/FileNames.h"
#include "setupdata/IntegerText.h"
#include "setupdata/ScriptNames.h"

namespace {

constexpr std::string_view MediaNamesPrefix = "MediaNames";

std::string Numbered(const char* format, int number) {
    char text[32];
    std::snprintf(text, sizeof text, format, number);
    return text;
}

}  // namespace

std::string DiskSectionName(int disk) { return Numbered("ProgramFiles%02d", disk); }
std::string DiskFolderName(int disk) { return Numbered("disk%02d", disk); }
std::string DiskIdFileName(int disk) { return Numbered("disk%02d.id", disk); }
std::string MediaNamesSectionName(int disk) { return Numbered("MediaNames%02d", disk); }

namespace {

std::optional<int> SectionNumber(std::string_view prefix, std::string_view sectionName) {
    if (sectionName.size() <= prefix.size() || !EqualIgnoringCase(sectionName.substr(0, prefix.size()), prefix))
        return std::nullopt;
    const std::string_view digits = sectionName.substr(prefix.size());
    if (digits.size() > 6 || !std::all_of(digits.begin(), digits.end(), [](char c) { return c >= '0' && c <= '9'; }))
        return std::nullopt;
    return std::stoi(std::string(digits));
}

// The names a disk's [MediaNamesNN] gives, by the lower-case key of their entries: the last part
// of each, as setup takes it, so that the media's names never reach outside the media.
std::map<std::string, std::string> GivenMediaNames(const ProfileText& script, int disk) {
    std::map<std::string, std::string> names;
    for (const ProfileEntry* entry : ListedEntries(script.Find(MediaNamesSectionName(disk))))
        names.emplace(LowerCase(entry->name), FileNamePart(entry->value));
    return names;
}

}  // namespace

std::optional<int> DiskSectionNumber(std::string_view sectionName) {
    return SectionNumber(DiskSectionPrefix, sectionName);
}

std::optional<int> MediaNamesSectionNumber(std::string_view sectionName) {
    return SectionNumber(MediaNamesPrefix, sectionName);
}

bool IsReadAsDiskSection(const ProfileSection& section, const ProfileText& script) {
    const std::optional<int> disk = DiskSectionNumber(section.name);
    return disk && *disk > 0 && EqualIgnoringCase(section.name, DiskSectionName(*disk)) &&
           script.Find(section.name) == &section;
}

std::vector<int> DiskSectionNumbers(const ProfileText& script) {
    std::vector<int> numbers;
    for (const ProfileSection& section : script.Sections())
        if (IsReadAsDiskSection(section, script)) numbers.push_back(*DiskSectionNumber(section.name));
    std::sort(numbers.begin(), numbers.end());
    return numbers;
}

std::optional<int32_t> DiskCount(const ProfileText& script) {
    const ProfileEntry* n = script.FindEntry(DisksSection, DiskCountKey);
    if (!n) return std::nullopt;
    return ParseIntegerText(n->value);
}

std::vector<ProgramFile> ProgramFiles(const ProfileText& script) {
    std::vector<ProgramFile> files;
    for (const ProfileSection& section : script.Sections()) {
        if (!IsReadAsDiskSection(section, script)) continue;
        const int disk = *DiskSectionNumber(section.name);
        const std::map<std::string, std::string> given = GivenMediaNames(script, disk);
        for (const ProfileEntry* entry : ListedEntries(&section)) {
            const std::string name = FileNamePart(entry->value);
            const auto mediaName = given.find(LowerCase(entry->name));
            files.push_back({disk, name, mediaName == given.end() ? name : mediaName->second, entry, &section});
        }
    }
    std::stable_sort(files.begin(), files.end(),
                     [](const ProgramFile& a, const ProgramFile& b) { return a.disk < b.disk; });
    return files;
}

std::optional<std::string> LicenceFileName(const ProfileText& script) {
    const ProfileEntry* licence = script.FindEntry(LicenceSection, LicenceKey);
    if (!licence) return DefaultLicenceFile;
    if (licence->value == NoLicenceValue) return std::nullopt;
    return licence->value;
}

std::optional<PackageScope> ScopeOf(const ProfileText& script) {
    const ProfileEntry* scope = script.FindEntry(PackageSection, ScopeKey);
    if (!scope || EqualIgnoringCase(scope->value, MachineScopeValue)) return PackageScope::Machine;
    if (EqualIgnoringCase(scope->value, UserScopeValue)) return PackageScope::User;
    return std::nullopt;
}
