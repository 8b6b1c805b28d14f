#include "plan/PackageContent.h"

#include <algorithm>
#include <memory>
#include <system_error>
#include <vector>

#include "base/ContentDigest.h"
#include "common/FileLookup.h"
#include "common/PathText.h"
#include "common/Sha1.h"
#include "common/TextFile.h"
#include "compress/SzddReader.h"
#include "fsutil/FileDigestRecord.h"
#include "fsutil/FileNames.h"
#include "media/BuildError.h"
#include "media/MediaLookup.h"
#include "media/MediaNamesSection.h"
#include "media/OneFile.h"
#include "media/PackageSource.h"
#include "media/TakenFiles.h"
#include "plan/ScriptScope.h"
#include "script/ScriptCheck.h"
#include "script/SetupScript.h"
#include "setupdata/ScriptNames.h"

namespace fs = std::filesystem;

namespace {

std::string ContentOf(const fs::path& path) {
    const std::optional<std::string> content = ReadWholeFile(path);
    if (!content) throw BuildError("cannot read " + TextOfPath(path));
    return *content;
}

ProfileText ScriptIn(const fs::path& folder, const ScriptEncoding& encoding) {
    const std::optional<fs::path> script = FindIgnoringCase(folder, ScriptFileName);
    if (!script) throw BuildError(TextOfPath(folder / ScriptFileName) + " is missing");
    return ProfileText::Read(ContentOf(*script), encoding);
}

// Built media: disk 1's folder holds setup.exe beside the script.
bool IsFirstDisk(const fs::path& folder) {
    return HasFileIgnoringCase(folder, SetupProgramName) && HasFileIgnoringCase(folder, ScriptFileName);
}

// A file of built media, expanded as setup expands it, after the check setup makes against the
// size and digest the media's script records for it.
std::string ExpandedMediaFile(const ProfileText& script, const fs::path& diskFolder, const std::string& name) {
    const std::string stored = CompressedFileName(name);
    const std::optional<fs::path> found = FindIgnoringCase(diskFolder, stored);
    if (!found) throw BuildError(TextOfPath(diskFolder / PathOfText(stored)) + " is missing");
    const std::string compressed = ContentOf(*found);
    const ProfileEntry* record = script.FindEntry(FileDigestsSection, stored);
    if (record && record->value != FileDigestRecord(compressed.size(), ContentDigest(compressed)))
        throw BuildError(TextOfPath(*found) + " is damaged: it is not the file the media's script records");
    // The expansion library copies a file without the compressed format's mark as it is.
    if (!IsSzdd(compressed)) return compressed;
    std::optional<std::string> expanded = ReadSzdd(compressed);
    if (!expanded) throw BuildError(TextOfPath(*found) + " is damaged: it expands to less than its header says");
    return std::move(*expanded);
}

ProfileText Scoped(const ProfileText& script, std::optional<PackageScope> scope) {
    return scope ? ScriptWithScope(script, *scope) : script;
}

// The script as the build writes it for the media: with the [MediaNamesNN] of the files it
// stores under names other than their own.
ProfileText WithMediaNames(const ProfileText& script, const TakenFiles& taken) {
    const std::string text = ScriptWithMediaNames(script, taken.files, taken.mediaNames);
    return text == script.Text() ? script : ProfileText::Parse(text);
}

}  // namespace

FileFacts FactsOf(const std::string& content) { return {content.size(), ContentDigest(content), Sha1Of(content)}; }

PackageContent::PackageContent(ProfileText script, MediaFileReader fileContent)
    : script_(std::move(script)), fileContent_(std::move(fileContent)) {}

const FileFacts& PackageContent::File(const ProgramFile& file) const {
    const std::pair<int, std::string> key(file.disk, LowerCase(file.mediaName));
    if (const auto known = files_.find(key); known != files_.end()) return known->second;
    return files_.emplace(key, FactsOf(fileContent_(file.disk, file.mediaName))).first->second;
}

PackageContent PackageContent::FromOneFile(const fs::path& oneFile, std::optional<PackageScope> scope) {
    const std::string label = TextOfPath(oneFile);
    auto parts = std::make_shared<std::vector<PayloadPart>>(ReadOneFile(ContentOf(oneFile), label));
    const auto named = [parts](const std::string& name, bool package) {
        return std::find_if(parts->begin(), parts->end(), [&](const PayloadPart& part) {
            return (part.kind == PartKind::Package) == package && EqualIgnoringCase(part.name, name);
        });
    };
    const auto script = named(ScriptFileName, false);
    if (script == parts->end()) throw BuildError(label + " carries no " + ScriptFileName);
    // Every disk is in the one file: setup finds a package file by its name on the media alone.
    PackageContent content(Scoped(ProfileText::Read(script->content, ScriptEncoding{}), scope),
                           [named, parts, label](int, const std::string& mediaName) {
                               const auto part = named(mediaName, true);
                               if (part == parts->end()) throw BuildError(label + " carries no " + mediaName);
                               return part->content;
                           });
    for (const PayloadPart& part : *parts)
        if (part.kind == PartKind::Program) content.setupProgram_ = FactsOf(part.content);
    const auto holds = [parts](int, const std::string& name) {
        return std::any_of(parts->begin(), parts->end(),
                           [&](const PayloadPart& part) { return EqualIgnoringCase(MediaNameOf(part), name); });
    };
    content.findings_ = CheckScript({content.script_, {}, holds, false});
    return content;
}

PackageContent PackageContent::FromMedia(const fs::path& media, bool diskFolders, std::optional<PackageScope> scope) {
    const fs::path first = diskFolders ? media / DiskFolderName(1) : media;
    auto script = std::make_shared<ProfileText>(ScriptIn(first, ScriptEncoding{}));
    // Expanded after the check against the digests of the media's own script, whatever the scope.
    PackageContent content(Scoped(*script, scope), [script, media, diskFolders](int disk, const std::string& mediaName) {
        return ExpandedMediaFile(*script, diskFolders ? media / DiskFolderName(disk) : media, mediaName);
    });
    content.setupProgram_ = FactsOf(ContentOf(*FindIgnoringCase(first, SetupProgramName)));
    content.findings_ = CheckScript({content.script_, first, MediaLookup(media), false});
    return content;
}

PackageContent PackageContent::FromPackageFolder(const fs::path& folder, const ScriptEncoding& encoding,
                                                 const std::optional<fs::path>& setupExe,
                                                 std::optional<PackageScope> scope) {
    // The script as the build checks it and writes it for the media, and the file it takes for
    // each line, by the name it gives that file on the media.
    CheckedScript checked = CheckPackageScript(Scoped(ScriptIn(folder, encoding), scope), folder, nullptr, false);
    auto sources = std::make_shared<std::map<std::pair<int, std::string>, fs::path>>();
    ProfileText script = std::move(checked.script);
    if (!HasErrors(checked.findings)) {
        const TakenFiles taken = TakeFiles(script, PackageSource(folder), TextOfPath(folder / ScriptFileName));
        for (size_t i = 0; i < taken.files.size(); ++i)
            sources->emplace(std::make_pair(taken.files[i].disk, LowerCase(taken.mediaNames[i])), taken.sources[i]);
        script = WithMediaNames(script, taken);
    }
    PackageContent content(std::move(script), [sources](int disk, const std::string& mediaName) {
        const auto found = sources->find({disk, LowerCase(mediaName)});
        if (found == sources->end()) throw BuildError(mediaName + " is not in the package");
        return ContentOf(found->second);
    });
    content.findings_ = std::move(checked.findings);
    if (setupExe) content.setupProgram_ = FactsOf(ContentOf(*setupExe));
    return content;
}

PackageContent PackageContent::Read(const fs::path& input, const ScriptEncoding& encoding,
                                    const std::optional<fs::path>& setupExe, std::optional<PackageScope> scope) {
    std::error_code error;
    if (fs::is_regular_file(input, error)) return FromOneFile(input, scope);
    if (!fs::is_directory(input, error))
        throw BuildError(TextOfPath(input) + " is no package folder, media or one-file setup");
    if (IsFirstDisk(input / DiskFolderName(1))) return FromMedia(input, true, scope);
    if (IsFirstDisk(input)) return FromMedia(input, false, scope);
    return FromPackageFolder(input, encoding, setupExe, scope);
}
