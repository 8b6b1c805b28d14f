#include "plan/PackageContent.h"

#include <algorithm>
#include <map>
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
#include "media/OneFile.h"
#include "media/PackageSource.h"
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

}  // namespace

FileFacts FactsOf(const std::string& content) { return {content.size(), ContentDigest(content), Sha1Of(content)}; }

PackageContent::PackageContent(ProfileText script, std::function<std::string(int, const std::string&)> fileContent)
    : script_(std::move(script)), fileContent_(std::move(fileContent)) {}

const FileFacts& PackageContent::File(int disk, const std::string& name) const {
    const std::pair<int, std::string> key(disk, LowerCase(name));
    if (const auto known = files_.find(key); known != files_.end()) return known->second;
    return files_.emplace(key, FactsOf(fileContent_(disk, name))).first->second;
}

PackageContent PackageContent::FromOneFile(const fs::path& oneFile) {
    const std::string label = TextOfPath(oneFile);
    auto parts = std::make_shared<std::vector<PayloadPart>>(ReadOneFile(ContentOf(oneFile), label));
    const auto named = [parts](const std::string& name, bool package) {
        return std::find_if(parts->begin(), parts->end(), [&](const PayloadPart& part) {
            return (part.kind == PartKind::Package) == package && EqualIgnoringCase(part.name, name);
        });
    };
    const auto script = named(ScriptFileName, false);
    if (script == parts->end()) throw BuildError(label + " carries no " + ScriptFileName);
    PackageContent content(ProfileText::Read(script->content, ScriptEncoding{}), [named, parts, label](int, const std::string& name) {
        const auto part = named(name, true);
        if (part == parts->end()) throw BuildError(label + " carries no " + name);
        return part->content;
    });
    for (const PayloadPart& part : *parts)
        if (part.kind == PartKind::Program) content.setupProgram_ = FactsOf(part.content);
    // Every disk is in the one file.
    content.mediaHolds_ = [parts](int, const std::string& name) {
        return std::any_of(parts->begin(), parts->end(),
                           [&](const PayloadPart& part) { return EqualIgnoringCase(MediaNameOf(part), name); });
    };
    return content;
}

PackageContent PackageContent::FromMedia(const fs::path& media, bool diskFolders) {
    const fs::path first = diskFolders ? media / DiskFolderName(1) : media;
    auto script = std::make_shared<ProfileText>(ScriptIn(first, ScriptEncoding{}));
    PackageContent content(*script, [script, media, diskFolders](int disk, const std::string& name) {
        return ExpandedMediaFile(*script, diskFolders ? media / DiskFolderName(disk) : media, name);
    });
    content.setupProgram_ = FactsOf(ContentOf(*FindIgnoringCase(first, SetupProgramName)));
    content.mediaHolds_ = MediaLookup(media);
    content.scriptFolder_ = first;
    return content;
}

PackageContent PackageContent::FromPackageFolder(const fs::path& folder, const ScriptEncoding& encoding,
                                                 const std::optional<fs::path>& setupExe) {
    // The script as a build writes it for the media (its folder lines written out), and the file of
    // each of its lines in the package folder.
    CheckedScript checked = CheckPackageScript(ScriptIn(folder, encoding), folder, nullptr, false);
    const PackageSource source(folder);
    std::map<std::pair<int, std::string>, fs::path> files;
    for (const ProgramFile& file : ProgramFiles(checked.script))
        files.emplace(std::make_pair(file.disk, file.name),
                      source.FileFor(file, ScriptFileName, checked.script.AuthoredLine(file.entry->line)));
    PackageContent content(std::move(checked.script), [files](int disk, const std::string& name) {
        const auto found = files.find({disk, name});
        if (found == files.end()) throw BuildError(name + " is not in the package");
        return ContentOf(found->second);
    });
    if (setupExe) content.setupProgram_ = FactsOf(ContentOf(*setupExe));
    content.scriptFolder_ = folder;
    return content;
}

PackageContent PackageContent::Read(const fs::path& input, const ScriptEncoding& encoding,
                                    const std::optional<fs::path>& setupExe) {
    std::error_code error;
    if (fs::is_regular_file(input, error)) return FromOneFile(input);
    if (!fs::is_directory(input, error))
        throw BuildError(TextOfPath(input) + " is no package folder, media or one-file setup");
    if (IsFirstDisk(input / DiskFolderName(1))) return FromMedia(input, true);
    if (IsFirstDisk(input)) return FromMedia(input, false);
    return FromPackageFolder(input, encoding, setupExe);
}
