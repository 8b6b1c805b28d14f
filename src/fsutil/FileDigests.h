#pragma once
#include <windows.h>

#include <string>

// True when the compressed media file `mediaName`, open as `file`, has the size and digest the
// media's script records for it, or when the script records none (media built before the
// record was kept), `mediaName` is empty or no script is open. The file is read from its start and left
// positioned there.
bool MatchesRecordedDigest(HANDLE file, const std::string& mediaName);

// The size and digest of the whole file open in `file`, as FileDigestRecord writes them; empty
// when it cannot be read. The file pointer is left where the reading ended.
std::string FileRecordOf(HANDLE file);
