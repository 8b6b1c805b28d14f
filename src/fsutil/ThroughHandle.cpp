#include "fsutil/ThroughHandle.h"

#include "base/TextEncoding.h"

bool DeleteThrough(HANDLE item) {
    FILE_DISPOSITION_INFO disposition{TRUE};
    return SetFileInformationByHandle(item, FileDispositionInfo, &disposition, sizeof disposition);
}

bool RenameThrough(HANDLE item, const std::string& target, bool replace) {
    // The platform takes the new name in its own form: "\??\" and the full path, in UTF-16.
    const std::string wide = ToUtf16("\\??\\" + target);
    std::string information(sizeof(FILE_RENAME_INFO) + wide.size(), '\0');
    auto* rename = reinterpret_cast<FILE_RENAME_INFO*>(information.data());
    rename->ReplaceIfExists = replace;
    rename->FileNameLength = static_cast<DWORD>(wide.size());
    memcpy(rename->FileName, wide.data(), wide.size());
    return SetFileInformationByHandle(item, FileRenameInfo, rename, static_cast<DWORD>(information.size()));
}
