#pragma once
#include <cstdint>
#include <string>

#include "setupdata/ScriptNames.h"

// Media record each compressed file's size and SHA-256 in a section of their install.ini
// (FileDigestsSection), keyed by the file's name on the media, so setup can tell a damaged file
// from a good one (the compressed format carries no check of its own). Setup programs that do not
// know the section ignore it. The uninstall log keeps the installed files' records in a section of
// the same name.

// The section's value for a file: its size in decimal, a comma, its digest.
// (Written out here: the library's number formatting brings a 200-byte table into setup.exe.)
inline std::string FileDigestRecord(uint64_t size, const std::string& digest) {
    std::string record = "," + digest;
    do record.insert(record.begin(), static_cast<char>('0' + size % 10));
    while (size /= 10);
    return record;
}
