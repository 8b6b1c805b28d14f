#include "fsutil/LzFile.h"

#include <lzexpand.h>

#include <optional>

#include "base/OwnedHandle.h"
#include "base/SystemLibrary.h"
#include "fsutil/FileDigests.h"

namespace {

struct Lz32Functions {
    decltype(&LZInit) init;
    decltype(&LZCopy) copy;
    decltype(&LZClose) close;
};

std::optional<Lz32Functions> LoadLz32() {
    // Stays loaded for the life of the process, as an imported library would.
    const HMODULE library = LoadSystemLibrary("lz32.dll");
    if (!library) return std::nullopt;
    const Lz32Functions functions{ProcAddress<decltype(&LZInit)>(library, "LZInit"),
                                  ProcAddress<decltype(&LZCopy)>(library, "LZCopy"),
                                  ProcAddress<decltype(&LZClose)>(library, "LZClose")};
    if (!functions.init || !functions.copy || !functions.close) return std::nullopt;
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
        SetFilePointer(file.Get(), 0, nullptr, FILE_BEGIN) != 0)
        return;
    startSize_ = got;
    handle_ = Lz32()->init(FileNumber(file.Get()));
    // From here LZClose closes the file; a failed LZInit leaves it to us.
    if (IsOpen()) file.Release();
}

LzFile::~LzFile() {
    if (IsOpen()) Lz32()->close(handle_);
}

LONG LzFile::CopyTo(HANDLE target) const {
    return IsOpen() ? Lz32()->copy(handle_, FileNumber(target)) : LZERROR_BADINHANDLE;
}
