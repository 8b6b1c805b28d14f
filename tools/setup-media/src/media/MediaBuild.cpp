#include "media/MediaBuild.h"

#include <algorithm>
#include <fstream>
#include <map>

#include "common/FileLookup.h"
#include "common/PathRelations.h"
#include "common/PathText.h"
#include "common/TextFile.h"
#include "fsutil/FileNames.h"
#include "media/BuildError.h"
#include "media/CompressedPool.h"
#include "media/DigestSection.h"
#include "media/DiskContent.h"
#include "media/LanguageMedia.h"
#include "media/MediaNamesSection.h"
#include "media/OneFile.h"
#include "media/OutputFolder.h"
#include "media/PackageSource.h"
#include "media/ScriptRewrite.h"
#include "media/Spread.h"
#include "media/StagingFolder.h"
#include "media/TakenFiles.h"
#include "script/ScriptCheck.h"
#include "script/SetupScript.h"
#include "setupdata/ScriptNames.h"

namespace fs = std::filesystem;

namespace {

constexpr const char* SetupFileName = "setup.exe";
// Room kept on every disk for its id file, whose number has up to three digits.
constexpr uint64_t IdFileRoom = 4;

MediaFile WriteWorkFile(const fs::path& folder, const std::string& name, const std::string& content) {
    const fs::path path = folder / PathOfText(name);
    std::ofstream out(path, std::ios::binary);
    if (!(out << content) || !out.flush()) throw BuildError("cannot write " + TextOfPath(path));
    return {name, path, content.size(), name};
}

MediaFile PackageFile(const std::string& name, const fs::path& path) {
    std::error_code error;
    if (!fs::is_regular_file(path, error)) throw BuildError(TextOfPath(path) + " is missing or not a file");
    return {name, path, fs::file_size(path), TextOfPath(path)};
}

// The script as the media carry it (its folder lines written out), once it is checked.
ProfileText CheckScriptFirst(const ProfileText& script, const BuildOptions& options, const fs::path& scriptPath,
                             std::ostream& notes) {
    CheckedScript checked = CheckPackageScript(script, options.package, nullptr, options.spread);
    for (const Finding& finding : checked.findings) notes << FormatFinding(TextOfPath(scriptPath), finding) << "\n";
    if (HasErrors(checked.findings)) throw BuildError(TextOfPath(scriptPath) + " has errors; no media were written");
    return std::move(checked.script);
}

MediaFile LicenceFile(const fs::path& package, const std::string& licence) {
    const std::optional<fs::path> found = FindIgnoringCase(package, licence);
    return PackageFile(licence, found.value_or(package / PathOfText(licence)));
}

// What disk 1 holds beside the package's files, but the script: setup.exe, the licence texts and
// the language files (written into `work`).
std::vector<MediaFile> FirstDiskFiles(const ProfileText& script, const BuildOptions& options, const fs::path& work,
                                      std::ostream& notes) {
    std::vector<MediaFile> files = {PackageFile(SetupFileName, options.setupExe)};
    const std::optional<std::string> licence = LicenceFileName(script);
    const LanguageMedia languages = LanguageMediaOf(script, licence);
    if (licence) files.push_back(LicenceFile(options.package, *licence));
    for (const std::string& own : languages.licences) files.push_back(LicenceFile(options.package, own));
    fs::create_directories(work);
    for (const LanguageFile& file : languages.files) files.push_back(WriteWorkFile(work, file.name, file.content));
    if (!languages.notCarried.empty()) {
        std::string tags;
        for (const std::string& tag : languages.notCarried) tags += (tags.empty() ? "" : ", ") + tag;
        notes << "note: setup-media carries no catalog of " << tags << ", so setup does not speak them\n";
    }
    return files;
}

// The package's part of the media: each file as the build takes it, and its compressed form for
// folder media (for a one-file setup only when disks must fit a size).
struct Carried : TakenFiles {
    std::vector<MediaFile> compressed;
};

Carried GatherFiles(const ProfileText& script, const PackageSource& source, const std::string& scriptName,
                    CompressedPool* pool, std::ostream& notes) {
    Carried carried{TakeFiles(script, source, scriptName), {}};
    for (size_t i = 0; pool && i < carried.files.size(); ++i) {
        const std::string& name = carried.mediaNames[i];
        const CompressedFile& compressed = pool->Compress(carried.sources[i], name);
        carried.compressed.push_back({CompressedFileName(name), compressed.path, compressed.size,
                                      TextOfPath(fs::relative(carried.sources[i], source.Folder()))});
    }
    for (const std::string& unused : source.UnusedDiskFiles())
        notes << "note: " << unused << " is named by no disk section and is left out\n";
    return carried;
}

struct DiskAssignment {
    std::vector<int> disks;  // per carried file
    int count = 0;
    std::string script;  // the media's install.ini
};

DiskAssignment AsTheScriptSays(const ProfileText& script, const Carried& carried) {
    DiskAssignment assignment{{}, *DiskCount(script), ScriptWithMediaNames(script, carried.files, carried.mediaNames)};
    for (const ProgramFile& file : carried.files) assignment.disks.push_back(file.disk);
    return assignment;
}

// Disk 1's own files decide how much room is left there, and the rewritten script is one of
// them: spread again until the script's size is the one that was allowed for.
DiskAssignment Spread(const ProfileText& script, const std::string& text, const Carried& carried,
                      const std::vector<MediaFile>& firstDiskFiles, const DiskCapacity& capacity,
                      uint64_t digestBytes) {
    std::vector<SpreadItem> items;
    for (const MediaFile& file : carried.compressed) items.push_back({file.name, file.size});
    const uint64_t idRoom = SpaceTaken(IdFileRoom, capacity);
    uint64_t fixed = idRoom;
    for (const MediaFile& file : firstDiskFiles) fixed += SpaceTaken(file.size, capacity);
    DiskAssignment assignment;
    const auto written = [](const std::string& content) { return Utf16WithByteOrderMark(content).size(); };
    for (size_t allowed = written(text), attempt = 0; attempt < 4; ++attempt) {
        assignment.disks = SpreadOverDisks(items, capacity, fixed + SpaceTaken(allowed + digestBytes, capacity), idRoom);
        assignment.count =
            assignment.disks.empty() ? 1 : *std::max_element(assignment.disks.begin(), assignment.disks.end());
        assignment.script =
            RewriteForDisks(text, script, carried.files, assignment.disks, assignment.count, carried.mediaNames);
        if (written(assignment.script) <= allowed) break;
        allowed = written(assignment.script);
    }
    return assignment;
}

std::vector<DiskContent> Arrange(const std::vector<MediaFile>& firstDiskFiles, const DiskAssignment& assignment,
                                 const Carried& carried, const fs::path& work) {
    std::vector<DiskContent> disks;
    for (int number = 1; number <= assignment.count; ++number) {
        disks.emplace_back(number);
        if (number == 1)
            for (const MediaFile& file : firstDiskFiles) disks.back().Add(file);
        disks.back().Add(WriteWorkFile(work, DiskIdFileName(number), std::to_string(number) + "\n"));
    }
    for (size_t i = 0; i < carried.files.size(); ++i) disks[assignment.disks[i] - 1].Add(carried.compressed[i]);
    return disks;
}

// Work files are moved into place at their first use and copied from there after it.
void WriteDisks(const std::vector<DiskContent>& disks, const fs::path& staging, const fs::path& work) {
    std::map<fs::path, fs::path> placed;
    for (const DiskContent& disk : disks) {
        for (const MediaFile& file : disk.Files()) {
            const fs::path target = staging / DiskFolderName(disk.Number()) / RelativePathOf(file.name);
            fs::create_directories(target.parent_path());
            const auto earlier = placed.find(file.content);
            if (earlier != placed.end()) {
                fs::copy_file(earlier->second, target);
            } else if (IsWithin(file.content, work)) {
                fs::rename(file.content, target);
                placed[file.content] = target;
            } else {
                fs::copy_file(file.content, target);
            }
        }
    }
}

PayloadPart ReadPart(const std::string& name, PartKind kind, const fs::path& path) {
    if (!PlainRelativeName(name))
        throw BuildError(name + " cannot be carried in a one-file setup: its name is not a plain relative name");
    const std::optional<std::string> content = ReadWholeFile(path);
    if (!content) throw BuildError("cannot read " + TextOfPath(path));
    return {name, kind, *content, {}};
}

// The payload's parts in the order the install reads them: the script, the licence, the program,
// every disk's identification file, then the package's files disk by disk in script order, each
// media name once.
std::vector<PayloadPart> OneFileParts(const std::vector<MediaFile>& firstDiskFiles, const std::string& script,
                                      const DiskAssignment& assignment, const Carried& carried) {
    std::vector<PayloadPart> parts = {{ScriptFileName, PartKind::Plain, script, {}}};
    for (const MediaFile& file : firstDiskFiles) {
        const bool program = file.name == SetupFileName;
        parts.push_back(ReadPart(file.name, program ? PartKind::Program : PartKind::Plain, file.content));
    }
    for (int number = 1; number <= assignment.count; ++number)
        parts.push_back({DiskIdFileName(number), PartKind::Plain, std::to_string(number) + "\n", {}});
    for (int disk = 1; disk <= assignment.count; ++disk) {
        for (size_t i = 0; i < carried.files.size(); ++i) {
            if (assignment.disks[i] != disk) continue;
            PayloadPart part = ReadPart(carried.mediaNames[i], PartKind::Package, carried.sources[i]);
            const auto same = std::find_if(parts.begin(), parts.end(), [&](const PayloadPart& earlier) {
                return EqualIgnoringCase(MediaNameOf(earlier), MediaNameOf(part));
            });
            if (same == parts.end())
                parts.push_back(std::move(part));
            else if (same->content != part.content || same->name != part.name || same->kind != part.kind)
                throw BuildError("two files would both be " + MediaNameOf(part) + " in the one-file setup (disk " +
                                 std::to_string(disk) + " and an earlier one)");
        }
    }
    return parts;
}

void WriteOneFile(const std::vector<PayloadPart>& parts, const BuildOptions& options, const fs::path& staging,
                  const fs::path& out) {
    const std::optional<std::string> setupExe = ReadWholeFile(options.setupExe);
    if (!setupExe) throw BuildError("cannot read " + TextOfPath(options.setupExe));
    const std::string file = MakeOneFile(*setupExe, parts);
    const fs::path written = staging / "one-file.exe";
    std::ofstream stream(written, std::ios::binary);
    if (!(stream << file) || !stream.flush()) throw BuildError("cannot write " + TextOfPath(written));
    stream.close();
    fs::rename(written, out);
}

void ReportDisks(const std::vector<DiskContent>& disks, const BuildOptions& options, std::ostream& report) {
    for (const DiskContent& disk : disks) {
        uint64_t bytes = 0;
        for (const MediaFile& file : disk.Files()) bytes += file.size;
        report << DiskFolderName(disk.Number()) << ": " << disk.Files().size() << " files, " << GroupedDigits(bytes)
               << " bytes";
        if (options.diskSize) report << " (" << options.diskSize->label << " disk)";
        report << "\n";
    }
}

void ReportOneFile(const std::vector<PayloadPart>& parts, const fs::path& oneFile, std::ostream& report) {
    uint64_t bytes = 0;
    for (const PayloadPart& part : parts) bytes += part.content.size();
    report << "one-file setup " << TextOfPath(oneFile) << ": " << GroupedDigits(fs::file_size(oneFile)) << " bytes ("
           << parts.size() << " files, " << GroupedDigits(bytes) << " bytes unpacked)\n";
}

}  // namespace

void BuildMedia(const BuildOptions& options, std::ostream& report, std::ostream& notes) {
    const bool oneFile = !options.oneFile.empty();
    const fs::path out = oneFile ? CheckOneFileTarget(options.oneFile, {options.package, options.setupExe}, options.force)
                                 : CheckOutputFolder(options.out, {options.package, options.setupExe}, options.force);
    const std::optional<fs::path> scriptPath = FindIgnoringCase(options.package, ScriptFileName);
    if (!scriptPath) throw BuildError(TextOfPath(options.package / ScriptFileName) + " is missing");
    const std::optional<std::string> read = ReadWholeFile(*scriptPath);
    if (!read) throw BuildError("cannot read " + TextOfPath(*scriptPath));
    const ProfileText script = CheckScriptFirst(ProfileText::Read(*read, options.scriptEncoding), options, *scriptPath, notes);
    const std::string& text = script.Text();

    StagingFolder staging(out);
    const fs::path work = staging.Path() / ".work";
    std::vector<MediaFile> firstDiskFiles = FirstDiskFiles(script, options, work, notes);
    // A one-file setup carries the files as they are; their compressed forms only tell whether
    // disks of a size would hold them.
    std::optional<CompressedPool> pool;
    if (!oneFile || options.diskSize) pool.emplace(work / "pool");
    const Carried carried =
        GatherFiles(script, PackageSource(options.package), TextOfPath(*scriptPath), pool ? &*pool : nullptr, notes);
    const std::string digests = oneFile ? std::string() : DigestSection(carried.compressed, NewlineOf(text));
    // The digests and the blank line before them, two bytes a character.
    const uint64_t digestBytes = oneFile ? 0 : 2 * (digests.size() + 2);
    const DiskAssignment assignment = options.spread
                                          ? Spread(script, text, carried, firstDiskFiles, *options.diskSize, digestBytes)
                                          : AsTheScriptSays(script, carried);
    if (oneFile) {
        if (options.diskSize) {
            const std::vector<DiskContent> disks = Arrange(firstDiskFiles, assignment, carried, work);
            CheckFits(disks, *options.diskSize);
            ReportDisks(disks, options, report);
        }
        const std::vector<PayloadPart> parts =
            OneFileParts(firstDiskFiles, Utf16WithByteOrderMark(assignment.script), assignment, carried);
        WriteOneFile(parts, options, staging.Path(), out);
        ReportOneFile(parts, out, report);
        return;
    }
    firstDiskFiles.push_back(
        WriteWorkFile(work, ScriptFileName, Utf16WithByteOrderMark(ScriptWithDigests(assignment.script, digests))));
    const std::vector<DiskContent> disks = Arrange(firstDiskFiles, assignment, carried, work);
    if (options.diskSize) CheckFits(disks, *options.diskSize);
    WriteDisks(disks, staging.Path(), work);
    fs::remove_all(work);
    staging.CommitTo(out);
    ReportDisks(disks, options, report);
    report << "media in " << TextOfPath(options.out) << "\n";
}
