#include "fsutil/FileTransfer.h"

#include <windows.h>
#include <lzexpand.h>

#include "base/FormatText.h"
#include "fsutil/CompressedHeader.h"
#include "fsutil/DeleteOrSchedule.h"
#include "fsutil/FileNames.h"
#include "fsutil/LzFile.h"
#include "state/SetupState.h"

namespace {

std::string TempPath(const std::string& name) { return Setup.TempDir + name; }

// Copies `source` into a new file `target` and tells whether the whole declared content arrived.
bool ExpandInto(const LzFile& source, const std::string& target) {
    const std::optional<uint32_t> declared = DeclaredExpandedLength(source.FoundPath());
    LzFile output(target, OF_CREATE | OF_WRITE);
    if (!output.IsOpen()) return false;
    const LONG copied = LZCopy(source.Handle(), output.Handle());
    if (copied < 0) return false;
    return !declared || *declared == static_cast<uint32_t>(copied);
}

}  // namespace

std::string DiskIdFileName(int number) { return FormatText("disk%02d.id", number); }

bool DiskIdPresent(int number) {
    OFSTRUCT found{};
    return OpenFile(DiskIdFileName(number).c_str(), &found, OF_EXIST) != HFILE_ERROR;
}

int ExpandToTemp(const std::string& name) {
    const std::string target = TempPath(name);
    if (target.size() > MaxOpenFilePathLength) return -1;
    const LzFile source(CompressedFileName(name), OF_READ);
    if (!source.IsOpen()) return -1;
    if (ExpandInto(source, target)) return 0;
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
