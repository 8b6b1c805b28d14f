#include "fsutil/ThroughHandle.h"

#include <winternl.h>

#include "base/TextEncoding.h"

namespace {

// FileRenameInformation in the platform's list of file information classes.
constexpr int FileRenameInformationClass = 10;

}  // namespace

bool DeleteThrough(HANDLE item) {
    FILE_DISPOSITION_INFO disposition{TRUE};
    return SetFileInformationByHandle(item, FileDispositionInfo, &disposition, sizeof disposition);
}

bool RenameThrough(HANDLE item, const std::string& target, bool replace, HANDLE folder) {
    // The platform takes a full path in its own form: "\??\" and the path, in UTF-16.
    const std::string wide = ToUtf16(folder ? target : "\\??\\" + target);
    std::string information(sizeof(FILE_RENAME_INFO) + wide.size(), '\0');
    auto* rename = reinterpret_cast<FILE_RENAME_INFO*>(information.data());
    rename->ReplaceIfExists = replace;
    rename->RootDirectory = folder;
    rename->FileNameLength = static_cast<DWORD>(wide.size());
    memcpy(rename->FileName, wide.data(), wide.size());
    // The platform's own call: the kernel32 one refuses a name relative to a folder under wine.
    // Its information has the same layout ("FILE_RENAME_INFORMATION", ZwSetInformationFile).
    IO_STATUS_BLOCK done;
    const NTSTATUS status = NtSetInformationFile(item, &done, rename, static_cast<ULONG>(information.size()),
                                                 static_cast<FILE_INFORMATION_CLASS>(FileRenameInformationClass));
    SetLastError(RtlNtStatusToDosError(status));
    return status >= 0;
}
