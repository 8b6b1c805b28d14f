#include "fsutil/LzFile.h"

#include <lzexpand.h>

#include <optional>
#include <string>

#include "base/OwnedHandle.h"
#include "base/SystemLibrary.h"
#include "fsutil/FileDigests.h"

namespace {

struct Lz32Functions {
    decltype(&LZInit) init;
    decltype(&LZRead) read;
    decltype(&LZClose) close;
};

std::optional<Lz32Functions> LoadLz32() {
    // Stays loaded for the life of the process, as an imported library would.
    const HMODULE library = LoadSystemLibrary("lz32");
    if (!library) return std::nullopt;
    const Lz32Functions functions{ProcAddress<decltype(&LZInit)>(library, "LZInit"),
                                  ProcAddress<decltype(&LZRead)>(library, "LZRead"),
                                  ProcAddress<decltype(&LZClose)>(library, "LZClose")};
    if (!functions.init || !functions.read || !functions.close) return std::nullopt;
    return functions;
}

// The library's functions; null when the library cannot be loaded.
const Lz32Functions* Lz32() {
    static const std::optional<Lz32Functions> functions = LoadLz32();
    return functions ? &*functions : nullptr;
}

// The library takes the file numbers of the 16-bit era; a platform file handle fits one.
INT FileNumber(HANDLE file) { return static_cast<INT>(reinterpret_cast<INT_PTR>(file)); }

}  // namespace

LzFile::LzFile(const std::string& path, const std::string& recordedAs) : handle_(LZERROR_BADINHANDLE) {
    if (!Lz32()) return;
    FileHandle file(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.IsValid() || !MatchesRecordedDigest(file.Get(), recordedAs)) return;
    // The header as stored, read here once; the library then reads the file from its start.
    DWORD got = 0;
    if (!ReadFile(file.Get(), start_, sizeof start_, &got, nullptr) ||
        !SetFilePointerEx(file.Get(), {}, nullptr, FILE_BEGIN))
        return;
    startSize_ = got;
    source_ = file.Get();
    handle_ = Lz32()->init(FileNumber(source_));
    // From here LZClose closes the file; a failed LZInit leaves it to us.
    if (IsOpen()) file.Release();
}

LzFile::~LzFile() {
    if (IsOpen()) Lz32()->close(handle_);
}

// Read in large pieces and written as read: the library's own copy writes a thousand bytes at
// a time, a call to the platform each.
LONG LzFile::CopyTo(HANDLE target, std::string* text) const {
    if (!IsOpen()) return LZERROR_BADINHANDLE;
    constexpr INT Piece = 64 * 1024;
    std::string buffer(Piece, '\0');
    LONG total = 0;
    for (;;) {
        const INT got = Lz32()->read(handle_, buffer.data(), Piece);
        if (got < 0) return got;
        if (got == 0) break;
        total += got;
        if (text) {
            text->append(buffer.data(), static_cast<size_t>(got));
            continue;
        }
        DWORD written = 0;
        if (!WriteFile(target, buffer.data(), static_cast<DWORD>(got), &written, nullptr) ||
            written != static_cast<DWORD>(got))
            return LZERROR_WRITE;
    }
    FILETIME created, accessed, written;
    if (GetFileTime(source_, &created, &accessed, &written)) SetFileTime(target, &created, &accessed, &written);
    return total;
}
