#include "fsutil/FileDigests.h"

#include "base/ContentDigest.h"
#include "fsutil/FileDigestRecord.h"
#include "fsutil/FileRange.h"
#include "state/SetupState.h"

bool MatchesRecordedDigest(HANDLE file, const std::string& mediaName) {
    if (mediaName.empty() || !Setup.InstallScript) return true;
    const std::string recorded = Setup.InstallScript->ReadValue(FileDigestsSection, mediaName.c_str(), MissingValueMark);
    if (recorded == MissingValueMark) return true;
    LARGE_INTEGER size;
    DigestStream digest;
    if (!GetFileSizeEx(file, &size) || !AddFileBytes(digest, file, 0, static_cast<uint64_t>(size.QuadPart))) return false;
    const std::string found = FileDigestRecord(static_cast<uint64_t>(size.QuadPart), digest.Finish());
    return SetFilePointer(file, 0, nullptr, FILE_BEGIN) == 0 && found == recorded;
}
