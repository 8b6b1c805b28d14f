#include "fsutil/DestinationFile.h"

#include <windows.h>

#include <vector>

#include "base/FormatText.h"
#include "base/QuotedText.h"
#include "fsutil/FileNames.h"
#include "fsutil/FinalPath.h"
#include "fsutil/ThroughHandle.h"
#include "fsutil/UserScope.h"
#include "setupdata/EntryList.h"
#include "setupdata/ProfileFile.h"
#include "state/SetupState.h"

namespace {

// A file moved aside as its line in the record names it: where it is kept, and its place (an
// entry, whose list code the program has already).
using KeptFile = Entry;

std::vector<KeptFile>& KeptFiles() {
    // Never destroyed: no exit routine for what the end of the process releases anyway.
    static std::vector<KeptFile>& files = *new std::vector<KeptFile>;
    return files;
}

Status ReachedThroughLink(const std::string& path) {
    return Status::Failed(QuotedIn(TextId::ReachedThroughLink, FolderPart(path)),
                          ReachedThroughLinkCode);
}

// Opens the file at `path` as itself (never the target of a final link) to move it.
FileHandle OpenToMove(const std::string& path) {
    return FileHandle(CreateFileA(path.c_str(), GENERIC_READ | DELETE | FILE_READ_ATTRIBUTES,
                                  FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                                  FILE_FLAG_OPEN_REPARSE_POINT, nullptr));
}

// A plain file (no folder, no link) that the run may replace: one marked read-only was never
// overwritten by an install.
bool IsReplaceableFile(HANDLE file) {
    FILE_BASIC_INFO info;
    return GetFileInformationByHandleEx(file, FileBasicInfo, &info, sizeof info) &&
           !(info.FileAttributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT | FILE_ATTRIBUTE_READONLY));
}

// Writes what is left to read of the open `from` into the open `to`.
bool CopyRest(HANDLE from, HANDLE to) {
    char buffer[64 * 1024];
    DWORD got = 0, written = 0;
    while (ReadFile(from, buffer, sizeof buffer, &got, nullptr) && got > 0)
        if (!WriteFile(to, buffer, got, &written, nullptr) || written != got) return false;
    return got == 0;
}

// Copies the content of the open `file` into a new file `target`, for a file on another volume
// than the working folder, which cannot be moved there.
bool CopyThrough(HANDLE file, const std::string& target) {
    Result<FileHandle> copy = CreateNewFile(target);
    if (!copy) return false;
    if (CopyRest(file, copy.Value().Get())) return true;
    DiscardNewFile(copy.Value());
    return false;
}

// Renames the open `file` to `target`, into its folder held open meanwhile, so that it can be
// neither renamed nor replaced, and checked first to be where `target` says: no link on the way
// can send the file elsewhere, not even for a moment.
bool RenameIntoPlace(HANDLE file, const std::string& target, bool replace) {
    const std::string folder = FolderPart(target);
    const FileHandle held(CreateFileA(folder.c_str(), FILE_TRAVERSE | FILE_READ_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                      nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_OPEN_REPARSE_POINT,
                                      nullptr));
    if (!held.IsValid() || !ReachesAsNamed(held.Get(), folder)) {
        SetLastError(ERROR_ACCESS_DENIED);
        return false;
    }
    return RenameThrough(file, FileNamePart(target), replace, held.Get());
}

// Puts one kept file back where nothing stands now; false when it could not go back.
bool PutBack(const KeptFile& file) {
    const FileHandle kept = OpenToMove(file.name);
    if (!kept.IsValid()) return false;
    if (RenameIntoPlace(kept.Get(), file.value, false)) return true;
    if (GetLastError() != ERROR_NOT_SAME_DEVICE) return false;
    Result<FileHandle> place = CreateNewFile(file.value);
    if (!place) return false;
    if (CopyContent(file.name, place.Value().Get())) return true;
    DiscardNewFile(place.Value());
    return false;
}

}  // namespace

Result<FileHandle> CreateNewFile(const std::string& path) {
    // The path as spelt in full here, and the file's final path equal to it below.
    if (!InPersonsAreas(path)) return Status::Failed(NeedsAdministratorRightsText(path));
    FileHandle file(CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE | DELETE | FILE_READ_ATTRIBUTES, 0, nullptr,
                                CREATE_NEW,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.IsValid()) {
        const DWORD error = GetLastError();
        return Status::Failed(QuotedIn(TextId::CouldNotBeMade, path),
                              error == ERROR_ALREADY_EXISTS ? ERROR_FILE_EXISTS : error);
    }
    if (ReachesAsNamed(file.Get(), path)) return file;
    DeleteThrough(file.Get());
    return ReachedThroughLink(path);
}

Status PlannedNewFile(const std::string& path) {
    if (!InPersonsAreas(path)) return Status::Failed(NeedsAdministratorRightsText(path));
    const std::string folder = FolderPart(path);
    const FileHandle held = OpenToInspect(folder);
    return !held.IsValid() || ReachesAsNamed(held.Get(), folder) ? Status() : ReachedThroughLink(path);
}

void DiscardNewFile(FileHandle& file) {
    DeleteThrough(file.Get());
    file.Reset();
}

Status RenameInto(HANDLE file, const std::string& target) {
    if (RenameIntoPlace(file, target, true)) return {};
    return GetLastError() == ERROR_ACCESS_DENIED ? ReachedThroughLink(target)
                                                 : FailedQuoting(TextId::CouldNotBeWritten, target);
}

Status CopyContent(const std::string& source, HANDLE target) {
    const FileHandle input(CreateFileA(source.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                       FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
    if (!input.IsValid() || !CopyRest(input.Get(), target))
        return FailedQuoting(TextId::CouldNotBeCopied, source);
    FILETIME created, accessed, changed;
    if (GetFileTime(input.Get(), &created, &accessed, &changed)) SetFileTime(target, &created, &accessed, &changed);
    return {};
}

Status MoveAsideKept(const std::string& path) {
    const auto refused = [&] { return FailedQuoting(TextId::CannotBeReplaced, path); };
    const FileHandle file = OpenToMove(path);
    if (!file.IsValid() && IsHeldError(GetLastError())) return Status::Failed(QuotedIn(TextId::FileHeld, path), HeldFileCode);
    if (!file.IsValid() || !IsReplaceableFile(file.Get())) return refused();
    if (!ReachesAsNamed(file.Get(), path)) return ReachedThroughLink(path);
    const std::string name = FormatText("kept-%u.tmp", static_cast<unsigned>(KeptFiles().size() + 1));
    // Its place is written down first: a file moved aside is never one whose place is unknown.
    if (!ProfileFile(Setup.TempDir + KeptFilesRecord).WriteValue("Kept", name.c_str(), path)) return refused();
    const std::string kept = Setup.TempDir + name;
    const bool moved = RenameThrough(file.Get(), kept) ||
                       (GetLastError() == ERROR_NOT_SAME_DEVICE && CopyThrough(file.Get(), kept) && DeleteThrough(file.Get()));
    if (!moved) return refused();
    KeptFiles().push_back({kept, path});
    return {};
}

void PutBackLastKept() {
    if (KeptFiles().empty()) return;
    PutBack(KeptFiles().back());
    KeptFiles().pop_back();
}

std::vector<std::string> PutBackKeptFiles() {
    std::vector<std::string> failures;
    std::vector<KeptFile>& files = KeptFiles();
    for (auto file = files.rbegin(); file != files.rend(); ++file)
        if (!PutBack(*file))
            failures.push_back(QuotedIn(TextId::CouldNotBePutBack, file->value));
    files.clear();
    return failures;
}
