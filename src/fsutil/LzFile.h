#pragma once
#include <windows.h>

#include <string>

// A file opened through the expansion library, closed with LZClose when the object goes.
// Reading one that is not compressed passes its bytes through unchanged.
class LzFile {
public:
    // `name` is looked up as OpenFile looks up names; `mode` takes OpenFile's OF_ flags.
    LzFile(const std::string& name, WORD mode);
    ~LzFile();
    LzFile(const LzFile&) = delete;
    LzFile& operator=(const LzFile&) = delete;

    bool IsOpen() const { return handle_ >= 0; }
    INT Handle() const { return handle_; }
    // Where the lookup found the file.
    std::string FoundPath() const { return found_.szPathName; }

private:
    OFSTRUCT found_{};
    INT handle_;
};

// The longest full path OpenFile, and so the expansion library, accepts.
inline constexpr size_t MaxOpenFilePathLength = OFS_MAXPATHNAME - 1;
