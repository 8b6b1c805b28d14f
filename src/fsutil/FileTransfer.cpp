#include "fsutil/FileTransfer.h"

#include <windows.h>

#include <lzexpand.h>

#include "base/FormatText.h"
#include "base/OwnedHandle.h"
#include "base/PathLimit.h"
#include "fsutil/CompressedHeader.h"
#include "fsutil/DeleteOrSchedule.h"
#include "fsutil/FileNames.h"
#include "fsutil/LzFile.h"
#include "fsutil/MediaFolder.h"
#include "fsutil/SetupPayload.h"
#include "state/SetupState.h"

namespace {

constexpr const char* PayloadPartWorkName = "part.tmp";

std::string TempPath(const std::string& name) { return Setup.TempDir + name; }

// The full path of the file `name` on the media; the empty text when there is no such file or
// its path is longer than a path may be.
std::string FindOnMedia(const std::string& name) {
    const std::string found = MediaPath(name);
    if (!FitsPathBuffer(found)) return {};
    const DWORD attributes = GetFileAttributesA(found.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY) ? found : std::string();
}

// Writes the expanded `source` into the file `target`, made as `creation` says; the count of
// bytes written, negative on failure. `made` tells whether the file was made.
LONG ExpandInto(const LzFile& source, const std::string& target, DWORD creation, bool& made) {
    const FileHandle output(
        CreateFileA(target.c_str(), GENERIC_WRITE, 0, nullptr, creation, FILE_ATTRIBUTE_NORMAL, nullptr));
    made = output.IsValid();
    return made ? source.CopyTo(output.Get()) : -1;
}

// Expands the media file CompressedFileName(name) into `target`. A payload's part is unpacked
// into the run's own folder first, wherever the target is.
int ExpandMediaFile(const std::string& name, const std::string& target, DWORD creation) {
    if (!FitsPathBuffer(target)) return -1;
    const std::string stored = CompressedFileName(name);
    const UnpackedPart part(stored, TempPath(PayloadPartWorkName));
    const std::string found = part.Carried() ? part.Path() : FindOnMedia(stored);
    if (found.empty()) return -1;
    // A part of a payload was checked with the whole of it.
    const LzFile source(found, part.Carried() ? std::string() : stored);
    if (!source.IsOpen()) return -1;
    bool made = false;
    const LONG expanded = ExpandInto(source, target, creation, made);
    if (!made) return creation == CREATE_NEW ? 1 : -1;
    const bool whole = ExpandedAsDeclared(source.Start(), source.StartSize(), static_cast<uint32_t>(expanded));
    if (expanded >= 0 && whole) return 0;
    // A short or damaged copy must not be installed in place of the file.
    DeleteFileA(target.c_str());
    // A target that could not take the file (a full drive) is the destination's failure, not the media's.
    return creation == CREATE_NEW && expanded == LZERROR_WRITE ? 1 : -1;
}

}  // namespace

std::string DiskIdFileName(int number) { return FormatText("disk%02d.id", number); }

bool DiskIdPresent(int number) {
    if (HasSetupPayload()) return PayloadHolds(DiskIdFileName(number));
    return !FindOnMedia(DiskIdFileName(number)).empty();
}

int ExpandToTemp(const std::string& name, const std::string& workName) {
    return ExpandMediaFile(name, TempPath(workName.empty() ? name : workName), CREATE_ALWAYS);
}

int ExpandToNewFile(const std::string& name, const std::string& target) {
    return ExpandMediaFile(name, target, CREATE_NEW);
}

int CopyFromTemp(const std::string& name, const std::string& target, bool failIfExists) {
    const std::string source = TempPath(name);
    if (!FitsPathBuffer(source) || !FitsPathBuffer(target)) return -1;
    const bool existed = GetFileAttributesA(target.c_str()) != INVALID_FILE_ATTRIBUTES;
    if (CopyFileA(source.c_str(), target.c_str(), failIfExists)) return 0;
    if (failIfExists && GetLastError() == ERROR_FILE_EXISTS) return 0;
    // A copy cut short (a full drive) must not stay as if installed; one that was there before
    // the copy is not the run's to remove.
    if (!existed) DeleteFileA(target.c_str());
    return -1;
}

void DeleteTempFile(const std::string& name) {
    const std::string path = TempPath(name);
    if (FitsPathBuffer(path)) DeleteFileOrSchedule(path);
}
