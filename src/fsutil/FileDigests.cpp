#include "fsutil/FileDigests.h"

#include "base/ContentDigest.h"
#include "fsutil/FileDigestRecord.h"
#include "fsutil/FileRange.h"
#include "state/SetupState.h"

namespace {

// The script's record, read once for each script: the profile functions read the whole file
// again for every value asked for, and a package has a value for every file.
const EntryList& RecordedDigests() {
    static const ProfileFile* readFrom = nullptr;
    // Never destroyed: no exit routines for what the end of the process releases anyway.
    static std::string& readPath = *new std::string;
    static EntryList& digests = *new EntryList;
    const ProfileFile& script = *Setup.InstallScript;
    if (readFrom != &script || readPath != script.Path()) {
        digests = EntryList();
        script.ReadEntries(FileDigestsSection, digests);
        readFrom = &script;
        readPath = script.Path();
    }
    return digests;
}

}  // namespace

bool MatchesRecordedDigest(HANDLE file, const std::string& mediaName) {
    if (mediaName.empty() || !Setup.InstallScript) return true;
    const EntryList& digests = RecordedDigests();
    const int listed = digests.IndexOf(mediaName);
    if (listed < 0) return true;
    const std::string& recorded = digests.Value(static_cast<size_t>(listed));
    const std::string found = FileRecordOf(file);
    return SetFilePointerEx(file, {}, nullptr, FILE_BEGIN) && !found.empty() && found == recorded;
}

std::string FileRecordOf(HANDLE file) {
    LARGE_INTEGER size;
    DigestStream digest;
    if (!GetFileSizeEx(file, &size) || !AddFileBytes(digest, file, 0, static_cast<uint64_t>(size.QuadPart))) return {};
    const std::string sha256 = digest.Finish();
    return sha256.empty() ? sha256 : FileDigestRecord(static_cast<uint64_t>(size.QuadPart), sha256);
}
