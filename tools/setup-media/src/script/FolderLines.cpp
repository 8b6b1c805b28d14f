#include "script/FolderLines.h"

#include <algorithm>
#include <map>
#include <set>

#include "common/PathText.h"
#include "script/LanguageLicences.h"
#include "script/ScriptRules.h"
#include "script/SetupScript.h"
#include "setupdata/MacroExpansion.h"
#include "setupdata/ScriptNames.h"

namespace fs = std::filesystem;

namespace {

constexpr std::string_view FilesOfFolder = "\\*";
constexpr std::string_view FilesOfTree = "\\**";
constexpr const char* InstallPathMacro = "%%INSTALLPATH%%";
// Keys of the folders written into [InstallFolder] or [OtherFolders].
constexpr const char* FolderKeyPrefix = "folder";

// A folder's files and subfolders, each relative to the folder taken, "\" between folders.
struct FolderTree {
    std::vector<std::string> files;
    std::vector<std::string> folders;
};

bool NameOrder(const std::string& a, const std::string& b) {
    const std::string lowerA = LowerCase(a), lowerB = LowerCase(b);
    return lowerA != lowerB ? lowerA < lowerB : a < b;
}

// The files of `folder` (and of its subfolders, when `recursive`, links to folders left out) but
// those named in `left`.
void Walk(const fs::path& folder, const std::string& prefix, bool recursive, const std::set<std::string>& left,
          FolderTree& tree) {
    std::vector<std::string> files, folders;
    std::error_code error;
    for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
        const std::string name = TextOfPath(it->path().filename());
        if (left.count(LowerCase(name))) continue;
        if (it->is_regular_file(error)) files.push_back(name);
        // A folder reached through a link may lead out of the package, or round to where it started.
        else if (it->is_directory(error) && !it->is_symlink(error)) folders.push_back(name);
    }
    std::sort(files.begin(), files.end(), NameOrder);
    std::sort(folders.begin(), folders.end(), NameOrder);
    for (const std::string& file : files) tree.files.push_back(prefix + file);
    if (!recursive) return;
    for (const std::string& sub : folders) {
        tree.folders.push_back(prefix + sub);
        Walk(folder / PathOfText(sub), prefix + sub + "\\", true, {}, tree);
    }
}

// One folder line and what it stands for.
struct FolderLine {
    const ProfileSection* section;
    const ProfileEntry* entry;
    std::string folder;  // the destination without its "\*" or "\**"
    bool recursive;
};

// Collects the lines that stand for the folder lines, and the folders the trees need.
class Writer {
public:
    Writer(const ProfileText& script, const PackageFolder& package) : script_(script), package_(package) {}

    WrittenOut Write() {
        std::vector<FolderLine> lines = FolderLines();
        if (lines.empty()) return {script_, {}};
        for (const FolderLine& line : lines) Take(line);
        return {Rewritten(), std::move(findings_)};
    }

private:
    std::vector<FolderLine> FolderLines() const {
        std::vector<FolderLine> lines;
        for (const ProfileSection& section : script_.Sections()) {
            if (!IsReadAsDiskSection(section, script_)) continue;
            for (const ProfileEntry* entry : ListedEntries(&section)) {
                if (!IsFolderLine(entry->value)) continue;
                const bool recursive = entry->value.ends_with(FilesOfTree);
                const size_t cut = recursive ? FilesOfTree.size() : FilesOfFolder.size();
                lines.push_back({&section, entry, entry->value.substr(0, entry->value.size() - cut), recursive});
            }
        }
        return lines;
    }

    // The line stands for no file then.
    void Fail(const FolderLine& line, const std::string& message) {
        findings_.push_back({line.entry->line, Severity::Error, message});
        replaced_[line.entry->line];
    }

    // The script and the licence texts are not package files, though they lie in the package folder.
    std::set<std::string> LeftOut(const fs::path& folder) const {
        std::error_code error;
        if (package_.HasDiskFolders() || !fs::equivalent(folder, package_.Folder(), error)) return {};
        std::set<std::string> left = {ScriptFileName};
        if (const std::optional<std::string> licence = LicenceFileName(script_)) left.insert(LowerCase(*licence));
        for (const std::string& licence : LanguageLicenceFiles(script_)) left.insert(LowerCase(licence));
        return left;
    }

    void Take(const FolderLine& line) {
        const int disk = *DiskSectionNumber(line.section->name);
        const bool underInstallFolder = line.folder.starts_with(InstallPathMacro);
        if (line.recursive && PathMacroAt(line.folder) && !underInstallFolder) {
            Fail(line, Quoted(line.entry->value) + ": setup makes folders only below %%INSTALLPATH%% or a folder "
                                                   "written out in full; \\* takes one folder's files");
            return;
        }
        const std::optional<fs::path> source = package_.FolderOf(disk, line.folder);
        if (!source) {
            const std::string below = PathBelowRoot(line.folder);
            Fail(line, Quoted(line.entry->value) + " takes the folder " + Quoted(below.empty() ? "." : below) +
                           " of " + TextOfPath(package_.DiskFolder(disk)) + ", which is not there");
            return;
        }
        FolderTree tree;
        Walk(*source, "", line.recursive, LeftOut(*source), tree);
        // A line break in a name would write lines of its own into the script.
        for (const std::vector<std::string>* names : {&tree.files, &tree.folders})
            for (const std::string& name : *names)
                if (std::any_of(name.begin(), name.end(), [](char c) { return static_cast<unsigned char>(c) < 0x20; })) {
                    Fail(line, Quoted(line.entry->value) + " takes " + Quoted(name) +
                                   ", whose name holds a control character, which Windows does not allow in file names");
                    return;
                }
        if (tree.files.empty())
            findings_.push_back(
                {line.entry->line, Severity::Warning, Quoted(line.entry->value) + " takes no file: the folder is empty"});
        std::vector<std::string>& out = replaced_[line.entry->line];
        for (const std::string& file : tree.files)
            out.push_back(UniqueKey(*line.section, line.entry->name) + "=" + line.folder + "\\" + file);
        if (line.recursive) AddFolders(line, tree);
    }

    // The next key "stem.N" that no line of the section has.
    std::string UniqueKey(const ProfileSection& section, const std::string& stem) {
        std::set<std::string>& taken = keys_[&section];
        if (taken.empty())
            for (const ProfileEntry& entry : section.entries) taken.insert(LowerCase(entry.name));
        for (size_t& n = numbers_[{&section, LowerCase(stem)}];;) {
            const std::string key = stem + "." + std::to_string(++n);
            if (taken.insert(LowerCase(key)).second) return key;
        }
    }

    void AddFolders(const FolderLine& line, const FolderTree& tree) {
        const bool underInstallFolder = line.folder.starts_with(InstallPathMacro);
        const std::string base = underInstallFolder ? PathBelowRoot(line.folder) : line.folder;
        std::vector<std::string> folders;
        if (!base.empty()) folders.push_back(base);
        for (const std::string& sub : tree.folders) folders.push_back(base.empty() ? sub : base + "\\" + sub);
        const char* section = underInstallFolder ? InstallFolderSection : OtherFoldersSection;
        for (const std::string& folder : folders) AddFolder(section, folder, line.entry->line);
    }

    void AddFolder(const char* section, const std::string& folder, size_t line) {
        std::set<std::string>& listed = folderValues_[section];
        if (listed.empty())
            for (const ProfileEntry* entry : ListedEntries(script_.Find(section))) listed.insert(LowerCase(entry->value));
        if (!listed.insert(LowerCase(folder)).second) return;
        const ProfileSection* existing = script_.Find(section);
        const std::string key = existing ? UniqueKey(*existing, FolderKeyPrefix)
                                         : FolderKeyPrefix + std::to_string(addedFolders_[section].size() + 1);
        addedFolders_[section].push_back({key + "=" + folder, line});
    }

    // The line after which a section's new folders go, or 0 when the section must be added.
    size_t FoldersAfter(const char* section) const {
        const ProfileSection* existing = script_.Find(section);
        if (!existing) return 0;
        return existing->entries.empty() ? existing->line : existing->entries.back().line;
    }

    ProfileText Rewritten() const {
        const std::string end = LineEndOf(script_.Text());
        std::string text;
        std::vector<size_t> authored;
        std::vector<bool> written;
        const auto add = [&](const std::string& line, size_t from, bool isWritten) {
            text += line + end;
            authored.push_back(from);
            written.push_back(isWritten);
        };
        const std::vector<std::string_view> lines = TextLines(script_.Text());
        for (size_t number = 1; number <= lines.size(); ++number) {
            const auto replaced = replaced_.find(number);
            if (replaced == replaced_.end())
                add(std::string(lines[number - 1]), number, false);
            else
                for (const std::string& line : replaced->second) add(line, number, true);
            for (const auto& [section, folders] : addedFolders_) {
                if (FoldersAfter(section) != number) continue;
                if (NeedsInstallLine(section)) add(ProposedInstallLine(), folders.front().second, true);
                for (const auto& [line, from] : folders) add(line, from, true);
            }
        }
        for (const auto& [section, folders] : addedFolders_) {
            if (FoldersAfter(section) != 0 || folders.empty()) continue;
            add("", folders.front().second, true);
            add("[" + std::string(section) + "]", folders.front().second, true);
            if (NeedsInstallLine(section)) add(ProposedInstallLine(), folders.front().second, true);
            for (const auto& [line, from] : folders) add(line, from, true);
        }
        return script_.Rewritten(text, std::move(authored), std::move(written));
    }

    // [InstallFolder] without entries gets one for the install folder before the folders.
    bool NeedsInstallLine(const char* section) const {
        return section == std::string_view(InstallFolderSection) && ListedEntries(script_.Find(section)).empty();
    }

    // What setup proposes without [InstallFolder] install, written out: the first entry of the
    // section is never made, and the folders follow it.
    std::string ProposedInstallLine() const {
        const ProfileEntry* name = script_.FindEntry(PackageSection, PackageNameKey);
        return std::string(InstallFolderKey) + "=c:\\" + (name ? name->value : std::string());
    }

    const ProfileText& script_;
    const PackageFolder& package_;
    Findings findings_;
    std::map<size_t, std::vector<std::string>> replaced_;  // by the folder line's number
    std::map<const ProfileSection*, std::set<std::string>> keys_;
    std::map<std::pair<const ProfileSection*, std::string>, size_t> numbers_;  // the last N of each stem
    std::map<const char*, std::set<std::string>> folderValues_;
    std::map<const char*, std::vector<std::pair<std::string, size_t>>> addedFolders_;  // line, folder line
};

}  // namespace

bool IsFolderLine(const std::string& destination) {
    return destination.ends_with(FilesOfFolder) || destination.ends_with(FilesOfTree);
}

WrittenOut WriteOutFolderLines(const ProfileText& script, const PackageFolder& package) {
    return Writer(script, package).Write();
}
