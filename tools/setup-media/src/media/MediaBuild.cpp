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
#include "media/OneFile.h"
#include "media/OutputFolder.h"
#include "media/PackageSource.h"
#include "media/ScriptRewrite.h"
#include "media/Spread.h"
#include "media/StagingFolder.h"
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

void CheckScriptFirst(const ProfileText& script, const BuildOptions& options, const fs::path& scriptPath,
                      std::ostream& notes) {
    const Findings findings = CheckScript({script, options.package, std::nullopt, options.spread});
    for (const Finding& finding : findings) notes << FormatFinding(TextOfPath(scriptPath), finding) << "\n";
    if (HasErrors(findings)) throw BuildError(TextOfPath(scriptPath) + " has errors; no media were written");
}

// The package's part of the media: each file of the script, compressed, with the disk the
// script puts it on.
struct Carried {
    std::vector<ProgramFile> files;
    std::vector<MediaFile> compressed;
};

Carried CompressFiles(const ProfileText& script, const PackageSource& source, CompressedPool& pool,
                      std::ostream& notes) {
    Carried carried{ProgramFiles(script), {}};
    for (const ProgramFile& file : carried.files) {
        const fs::path path = source.FileFor(file.disk, file.name);
        const CompressedFile& compressed = pool.Compress(path, file.name);
        carried.compressed.push_back({CompressedFileName(file.name), compressed.path, compressed.size,
                                      TextOfPath(fs::relative(path, source.Folder()))});
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

DiskAssignment AsTheScriptSays(const ProfileText& script, const std::string& text, const Carried& carried) {
    DiskAssignment assignment{{}, *DiskCount(script), text};
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
        assignment.script = RewriteForDisks(text, script, carried.files, assignment.disks, assignment.count);
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

// The media's script: as the assignment has it, and the files' digests after it.
std::string MediaScript(const std::string& script, const std::string& digests) {
    const std::string newline = script.find("\r\n") != std::string::npos ? "\r\n" : "\n";
    const bool ended = script.empty() || script.back() == '\n';
    return script + (ended ? "" : newline) + newline + digests;
}

// Every disk's files as one, each name once.
std::vector<PayloadPart> PayloadParts(const std::vector<DiskContent>& disks, const fs::path& staging) {
    std::vector<PayloadPart> parts;
    for (const DiskContent& disk : disks) {
        for (const MediaFile& file : disk.Files()) {
            const fs::path path = staging / DiskFolderName(disk.Number()) / RelativePathOf(file.name);
            const std::optional<std::string> content = ReadWholeFile(path);
            if (!content) throw BuildError("cannot read " + TextOfPath(path));
            const auto same = std::find_if(parts.begin(), parts.end(),
                                           [&](const PayloadPart& part) { return EqualIgnoringCase(part.name, file.name); });
            if (same == parts.end())
                parts.push_back({file.name, *content});
            else if (same->content != *content || same->name != file.name)
                throw BuildError("two files would both be " + file.name + " in the one-file setup (disk " +
                                 std::to_string(disk.Number()) + " and an earlier disk)");
        }
    }
    return parts;
}

void WriteOneFile(const std::vector<DiskContent>& disks, const BuildOptions& options, const fs::path& staging,
                  const fs::path& out) {
    const std::optional<std::string> setupExe = ReadWholeFile(options.setupExe);
    if (!setupExe) throw BuildError("cannot read " + TextOfPath(options.setupExe));
    const std::string file = MakeOneFile(*setupExe, PayloadParts(disks, staging));
    const fs::path written = staging / "one-file.exe";
    std::ofstream stream(written, std::ios::binary);
    if (!(stream << file) || !stream.flush()) throw BuildError("cannot write " + TextOfPath(written));
    stream.close();
    fs::rename(written, out);
}

void Report(const std::vector<DiskContent>& disks, const BuildOptions& options, std::ostream& report) {
    for (const DiskContent& disk : disks) {
        uint64_t bytes = 0;
        for (const MediaFile& file : disk.Files()) bytes += file.size;
        report << DiskFolderName(disk.Number()) << ": " << disk.Files().size() << " files, " << GroupedDigits(bytes)
               << " bytes";
        if (options.diskSize) report << " (" << options.diskSize->label << " disk)";
        report << "\n";
    }
    if (options.oneFile.empty())
        report << "media in " << TextOfPath(options.out) << "\n";
    else
        report << "one-file setup " << TextOfPath(options.oneFile) << ": "
               << GroupedDigits(fs::file_size(options.oneFile)) << " bytes\n";
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
    const ProfileText script = ProfileText::Read(*read, options.scriptEncoding);
    const std::string& text = script.Text();
    CheckScriptFirst(script, options, *scriptPath, notes);

    std::vector<MediaFile> firstDiskFiles = {PackageFile(SetupFileName, options.setupExe)};
    if (const std::optional<std::string> licence = LicenceFileName(script)) {
        const std::optional<fs::path> found = FindIgnoringCase(options.package, *licence);
        firstDiskFiles.push_back(PackageFile(*licence, found.value_or(options.package / PathOfText(*licence))));
    }

    StagingFolder staging(out);
    const fs::path work = staging.Path() / ".work";
    CompressedPool pool(work / "pool");
    const Carried carried = CompressFiles(script, PackageSource(options.package), pool, notes);
    const std::string digests = DigestSection(carried.compressed, text.find("\r\n") != std::string::npos ? "\r\n" : "\n");
    // The digests and the blank line before them, two bytes a character.
    const uint64_t digestBytes = 2 * (digests.size() + 2);
    const DiskAssignment assignment = options.spread
                                          ? Spread(script, text, carried, firstDiskFiles, *options.diskSize, digestBytes)
                                          : AsTheScriptSays(script, text, carried);
    firstDiskFiles.push_back(
        WriteWorkFile(work, ScriptFileName, Utf16WithByteOrderMark(MediaScript(assignment.script, digests))));
    const std::vector<DiskContent> disks = Arrange(firstDiskFiles, assignment, carried, work);
    if (options.diskSize) CheckFits(disks, *options.diskSize);
    WriteDisks(disks, staging.Path(), work);
    fs::remove_all(work);
    if (oneFile)
        WriteOneFile(disks, options, staging.Path(), out);
    else
        staging.CommitTo(out);
    Report(disks, options, report);
}
