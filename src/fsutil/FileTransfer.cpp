#include "fsutil/FileTransfer.h"

#include <windows.h>

#include <lzexpand.h>

#include "base/FormatText.h"
#include "base/OwnedHandle.h"
#include "base/PathLimit.h"
#include "base/QuotedText.h"
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

}  // namespace

std::string DiskIdFileName(int number) { return FormatText("disk%02d.id", number); }

bool DiskIdPresent(int number) {
    if (HasSetupPayload()) return PayloadHolds(DiskIdFileName(number));
    return !FindOnMedia(DiskIdFileName(number)).empty();
}

int ExpandToTemp(const std::string& name, const std::string& workName) {
    const std::string target = TempPath(workName.empty() ? name : workName);
    if (!FitsPathBuffer(target)) return -1;
    bool whole = false;
    {
        const FileHandle output(
            CreateFileA(target.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
        whole = output.IsValid() && ExpandInto(name, output.Get()).Ok();
    }
    // A short or damaged copy must not be taken for the file.
    if (!whole) DeleteFileA(target.c_str());
    return whole ? 0 : -1;
}

// Expands the media file CompressedFileName(name) into the open `target`. A payload's part is
// unpacked into the run's own folder first, wherever the target is.
Status ExpandInto(const std::string& name, HANDLE target) {
    const std::string stored = CompressedFileName(name);
    const Status damaged = Status::Failed(FormatText("Error expanding %s", Quoted(name).c_str()));
    const UnpackedPart part(stored, TempPath(PayloadPartWorkName));
    const std::string found = part.Carried() ? part.Path() : FindOnMedia(stored);
    if (found.empty()) return damaged;
    // A part of a payload was checked with the whole of it.
    const LzFile source(found, part.Carried() ? std::string() : stored);
    if (!source.IsOpen()) return damaged;
    const LONG expanded = source.CopyTo(target);
    // A target that could not take the file (a full drive) is the destination's failure, not the media's.
    if (expanded == LZERROR_WRITE) return Status::Failed(FormatText("Error installing %s", Quoted(name).c_str()));
    if (expanded < 0 || !ExpandedAsDeclared(source.Start(), source.StartSize(), static_cast<uint32_t>(expanded)))
        return damaged;
    return {};
}

void DeleteTempFile(const std::string& name) {
    const std::string path = TempPath(name);
    if (FitsPathBuffer(path)) DeleteFileOrSchedule(path);
}
