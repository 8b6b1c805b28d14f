#include "fsutil/FileTransfer.h"

#include <windows.h>

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

std::string TempPath(const std::string& name) { return Setup.TempDir + name; }

// The full path of the file `name` on the media; the empty text when there is no such file or
// its path is longer than a path may be.
std::string FindOnMedia(const std::string& name) {
    const std::string found = MediaPath(name);
    if (!FitsPathBuffer(found)) return {};
    const DWORD attributes = GetFileAttributesA(found.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY) ? found : std::string();
}

// Writes the expanded `source` into a new file `target`; the count of bytes written, negative
// on failure.
LONG ExpandInto(const LzFile& source, const std::string& target) {
    const FileHandle output(
        CreateFileA(target.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    return output.IsValid() ? source.CopyTo(output.Get()) : -1;
}

}  // namespace

std::string DiskIdFileName(int number) { return FormatText("disk%02d.id", number); }

bool DiskIdPresent(int number) {
    if (HasSetupPayload()) return PayloadHolds(DiskIdFileName(number));
    return !FindOnMedia(DiskIdFileName(number)).empty();
}

int ExpandToTemp(const std::string& name, const std::string& workName) {
    const std::string target = TempPath(workName.empty() ? name : workName);
    if (!FitsPathBuffer(target)) return -1;
    const std::string stored = CompressedFileName(name);
    const UnpackedPart part(stored, target + "~");
    const std::string found = part.Carried() ? part.Path() : FindOnMedia(stored);
    if (found.empty()) return -1;
    // A part of a payload was checked with the whole of it.
    const LzFile source(found, part.Carried() ? std::string() : stored);
    if (!source.IsOpen()) return -1;
    const LONG expanded = ExpandInto(source, target);
    const bool whole = ExpandedAsDeclared(source.Start(), source.StartSize(), static_cast<uint32_t>(expanded));
    if (expanded >= 0 && whole) return 0;
    // A short or damaged copy must not be installed in place of the file.
    DeleteFileA(target.c_str());
    return -1;
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
