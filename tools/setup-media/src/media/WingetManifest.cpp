#include "media/WingetManifest.h"

#include <algorithm>
#include <fstream>

#include "base/ContentDigest.h"
#include "common/PathText.h"
#include "common/TextEncoding.h"
#include "common/TextFile.h"
#include "media/BuildError.h"
#include "media/OneFile.h"
#include "media/PeImage.h"
#include "script/ProfileText.h"
#include "script/SetupScript.h"
#include "setupdata/ScriptNames.h"

namespace fs = std::filesystem;

namespace {

constexpr const char* SchemaVersion = "1.10.0";
constexpr const char* DefaultLicense = "Proprietary";
// winget's form of an id: two to eight parts between dots, each of 1 to 32 characters, none of
// them blanks, controls or characters a file name may not hold; 128 characters in all.
constexpr size_t IdPartsMin = 2, IdPartsMax = 8, IdPartMax = 32, IdMax = 128;

struct PackageFacts {
    std::string name;
    std::string version;
    std::string publisher;
    std::string architecture;
    std::string sha256;
    PackageScope scope = PackageScope::Machine;
};

// A YAML scalar in single quotes, which keep every character but the quote itself.
std::string Quoted(const std::string& text) {
    std::string quoted = "'";
    for (const char c : text) quoted += c == '\'' ? std::string("''") : std::string(1, c);
    return quoted + "'";
}

// Counts characters, not bytes: a part may be written in any script.
bool IsIdPart(std::string_view part) {
    const size_t characters = CharacterCount(part);
    return characters >= 1 && characters <= IdPartMax &&
           std::none_of(part.begin(), part.end(), [](char c) {
               return static_cast<unsigned char>(c) <= ' ' || std::string_view("\\/:*?\"<>|").find(c) != std::string_view::npos;
           });
}

// The id names the manifests' files too: one that is not of winget's form could name another folder.
void CheckId(const std::string& id) {
    size_t parts = 0;
    bool valid = CharacterCount(id) <= IdMax;
    for (size_t start = 0; valid && start <= id.size(); ++parts) {
        const size_t end = std::min(id.find('.', start), id.size());
        valid = IsIdPart(std::string_view(id).substr(start, end - start));
        start = end + 1;
    }
    if (!valid || parts < IdPartsMin || parts > IdPartsMax)
        throw BuildError("the id " + Quoted(id) +
                         " is not of winget's form Publisher.Package: two to eight parts between dots, each of 1 to 32 "
                         "characters, without blanks or any of \\ / : * ? \" < > |");
}

std::string RequiredValue(const ProfileText& script, const char* key) {
    const ProfileEntry* entry = script.FindEntry(PackageSection, key);
    if (!entry || entry->value.empty())
        throw BuildError(std::string("the setup script has no [Package] ") + key + "; the manifest needs it");
    return entry->value;
}

PackageFacts ReadFacts(const fs::path& oneFile) {
    const std::optional<std::string> file = ReadWholeFile(oneFile);
    if (!file) throw BuildError("cannot read " + TextOfPath(oneFile));
    const std::vector<PayloadPart> parts = ReadOneFile(*file, TextOfPath(oneFile));
    const auto script = std::find_if(parts.begin(), parts.end(),
                                     [](const PayloadPart& part) { return EqualIgnoringCase(part.name, ScriptFileName); });
    if (script == parts.end()) throw BuildError(TextOfPath(oneFile) + " carries no " + ScriptFileName);
    const ProfileText text = ProfileText::Read(script->content, ScriptEncoding{});
    const ProfileEntry* entry = text.FindEntry(PackageSection, UninstallEntryKey);
    if (!entry || entry->value != "yes")
        throw BuildError("the setup script asks for no entry in the list of installed programs ([Package] " +
                         std::string(UninstallEntryKey) + "=yes), by which winget finds the package");
    const std::optional<PackageScope> scope = ScopeOf(text);
    if (!scope) throw BuildError("the setup script's [Package] scope must be user or machine");
    const uint16_t machine = ReadPeLayout(*file)->machine;
    std::string sha256 = ContentDigest(*file);
    std::transform(sha256.begin(), sha256.end(), sha256.begin(), [](char c) { return static_cast<char>(std::toupper(c)); });
    return {RequiredValue(text, PackageNameKey), RequiredValue(text, "version"), RequiredValue(text, "publisher"),
            machine == 0x8664 ? "x64" : machine == 0xAA64 ? "arm64" : "x86", sha256, *scope};
}

std::string Head(const ManifestOptions& options, const PackageFacts& facts) {
    return "# Made by setup-media from " + TextOfPath(options.oneFile.filename()) +
           "\nPackageIdentifier: " + Quoted(options.id) + "\nPackageVersion: " + Quoted(facts.version) + "\n";
}

std::string Tail(const char* type) {
    return std::string("ManifestType: ") + type + "\nManifestVersion: " + SchemaVersion + "\n";
}

// A machine-wide setup started unelevated starts itself again elevated; a per-user one never asks.
std::string ScopeLines(PackageScope scope) {
    // A package for one user run elevated would act with administrators' rights in places that
    // user's ordinary programs can change: a package manager should not elevate it.
    return scope == PackageScope::User ? "Scope: user\nElevationRequirement: elevationProhibited\n"
                                       : "Scope: machine\nElevationRequirement: elevatesSelf\n";
}

std::string InstallerManifest(const ManifestOptions& options, const PackageFacts& facts) {
    return Head(options, facts) +
           "InstallerType: exe\n" + ScopeLines(facts.scope) +
           "InstallModes:\n- interactive\n- silent\n- silentWithProgress\n"
           "InstallerSwitches:\n  Silent: /S\n  SilentWithProgress: /S\n  InstallLocation: /D=<INSTALLPATH>\n"
           "ExpectedReturnCodes:\n"
           "- InstallerReturnCode: 3010\n  ReturnResponse: rebootRequiredToFinish\n"
           "- InstallerReturnCode: 1618\n  ReturnResponse: installInProgress\n"
           "- InstallerReturnCode: 1603\n  ReturnResponse: contactSupport\n"
           "- InstallerReturnCode: 1223\n  ReturnResponse: cancelledByUser\n"
           "- InstallerReturnCode: 1638\n  ReturnResponse: downgrade\n"
           "UpgradeBehavior: install\n"
           "AppsAndFeaturesEntries:\n- DisplayName: " + Quoted(facts.name) + "\n  Publisher: " + Quoted(facts.publisher) +
           "\n  DisplayVersion: " + Quoted(facts.version) + "\n  ProductCode: " + Quoted(facts.name) + "\n" +
           "Installers:\n- Architecture: " + facts.architecture + "\n  InstallerUrl: " + Quoted(options.url) +
           "\n  InstallerSha256: " + facts.sha256 + "\n" + Tail("installer");
}

// The licence the package is under: the setup's files do not say, so the author does, or the
// manifest says that no one did.
std::string LicenseLines(const ManifestOptions& options) {
    if (options.license.empty())
        return "# License: setup-media's default; the package's licence is not read from it: give it with --license\n"
               "License: " + Quoted(DefaultLicense) + "\n";
    return "# License: as given with --license\nLicense: " + Quoted(options.license) + "\n";
}

std::string LocaleManifest(const ManifestOptions& options, const PackageFacts& facts) {
    return Head(options, facts) + "PackageLocale: en-US\nPublisher: " + Quoted(facts.publisher) +
           "\nPackageName: " + Quoted(facts.name) + "\n" + LicenseLines(options) +
           "ShortDescription: " + Quoted(options.description.empty() ? facts.name : options.description) + "\n" +
           Tail("defaultLocale");
}

void Write(const fs::path& path, const std::string& content) {
    std::ofstream out(path, std::ios::binary);
    if (!(out << content) || !out.flush()) throw BuildError("cannot write " + TextOfPath(path));
}

}  // namespace

void WriteWingetManifest(const ManifestOptions& options, std::ostream& report) {
    CheckId(options.id);
    const PackageFacts facts = ReadFacts(options.oneFile);
    fs::create_directories(options.out);
    Write(options.out / PathOfText(options.id + ".yaml"),
          Head(options, facts) + "DefaultLocale: en-US\n" + Tail("version"));
    Write(options.out / PathOfText(options.id + ".installer.yaml"), InstallerManifest(options, facts));
    Write(options.out / PathOfText(options.id + ".locale.en-US.yaml"), LocaleManifest(options, facts));
    report << "winget manifests of " << options.id << " " << facts.version << " in " << TextOfPath(options.out)
           << "\n";
    if (options.license.empty())
        report << "note: License is setup-media's default, " << DefaultLicense
               << "; --license gives the package's own\n";
}
