#include "fsutil/FileTransfer.h"

#include <windows.h>

#include "base/FormatText.h"
#include "base/OwnedHandle.h"
#include "base/PathLimit.h"
#include "fsutil/DeleteOrSchedule.h"
#include "fsutil/MediaSource.h"
#include "state/SetupState.h"

namespace {

std::string TempPath(const std::string& name) { return Setup.TempDir + name; }

// Expands the package file `name` from the media into `target`, made as `creation` says.
int ExpandMediaFile(const std::string& name, const std::string& target, DWORD creation) {
    if (!FitsPathBuffer(target)) return -1;
    PartCopy copied;
    {
        const FileHandle output(
            CreateFileA(target.c_str(), GENERIC_WRITE, 0, nullptr, creation, FILE_ATTRIBUTE_NORMAL, nullptr));
        if (!output.IsValid()) return creation == CREATE_NEW ? 1 : -1;
        copied = Media().Expand(name, output.Get());
    }
    if (copied == PartCopy::Done) return 0;
    // A short or damaged copy must not be installed in place of the file.
    DeleteFileA(target.c_str());
    if (copied == PartCopy::Damaged) return SetupFileDamaged;
    // A target that could not take the file (a full drive) is the destination's failure, not the media's.
    return creation == CREATE_NEW && copied == PartCopy::TargetFailed ? 1 : -1;
}

}  // namespace

std::string DiskIdFileName(int number) { return FormatText("disk%02d.id", number); }

bool DiskIdPresent(int number) { return Media().HasDisk(number); }

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
