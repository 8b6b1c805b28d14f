#pragma once
#include <windows.h>

#include <string>

#include "fsutil/CompressedHeader.h"

// A file read through the expansion library: its content is expanded when it is in the
// library's compressed format and passed through unchanged otherwise. Closed with LZClose when
// the object goes. The library is loaded from the System folder on first use (it is not one
// the platform always takes from there, so it is not imported).
class LzFile {
public:
    // Opens the file at the full path `path` for reading, unless it differs from what the
    // media's script records for the media name `recordedAs` (fsutil/FileDigests.h; nothing is
    // checked when it is empty). Others cannot write the file while it is open, so what was
    // checked is what is expanded.
    LzFile(const std::string& path, const std::string& recordedAs);
    ~LzFile();
    LzFile(const LzFile&) = delete;
    LzFile& operator=(const LzFile&) = delete;

    bool IsOpen() const { return handle_ >= 0; }
    // The file's first bytes as stored, for ExpandedAsDeclared, and how many there are.
    const unsigned char* Start() const { return start_; }
    size_t StartSize() const { return startSize_; }
    // Writes the whole content, expanded, to `target`, a plain file open for writing, and gives
    // it the source's time stamp; or appends it to `text` when that is given. The count of bytes
    // written; negative on failure.
    LONG CopyTo(HANDLE target, std::string* text = nullptr) const;

private:
    INT handle_;
    // The file the library reads, for its time stamp; the library closes it.
    HANDLE source_ = INVALID_HANDLE_VALUE;
    unsigned char start_[CompressedHeaderSize] = {};
    size_t startSize_ = 0;
};
