#include "fsutil/CompressedHeader.h"

#include <windows.h>

#include <cstring>

namespace {

// "SZDD", 0x88 0xF0 0x27 0x33, the method 'A', the replaced last character of the name,
// then the expanded length, little-endian.
constexpr unsigned char Magic[] = {'S', 'Z', 'D', 'D', 0x88, 0xF0, 0x27, 0x33, 'A'};
constexpr size_t LengthOffset = 10;
constexpr size_t HeaderSize = 14;

class ReadOnlyFile {
public:
    explicit ReadOnlyFile(const std::string& path)
        : handle_(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr)) {}
    ~ReadOnlyFile() {
        if (handle_ != INVALID_HANDLE_VALUE) CloseHandle(handle_);
    }
    ReadOnlyFile(const ReadOnlyFile&) = delete;
    ReadOnlyFile& operator=(const ReadOnlyFile&) = delete;

    // Reads up to `size` bytes from the start; the count read, 0 on any failure.
    DWORD Read(unsigned char* buffer, DWORD size) const {
        DWORD got = 0;
        if (handle_ == INVALID_HANDLE_VALUE || !ReadFile(handle_, buffer, size, &got, nullptr)) return 0;
        return got;
    }

private:
    HANDLE handle_;
};

}  // namespace

std::optional<uint32_t> DeclaredExpandedLength(const std::string& path) {
    unsigned char header[HeaderSize];
    if (ReadOnlyFile(path).Read(header, HeaderSize) != HeaderSize) return std::nullopt;
    if (std::memcmp(header, Magic, sizeof Magic) != 0) return std::nullopt;
    const unsigned char* length = header + LengthOffset;
    return static_cast<uint32_t>(length[0]) | static_cast<uint32_t>(length[1]) << 8 |
           static_cast<uint32_t>(length[2]) << 16 | static_cast<uint32_t>(length[3]) << 24;
}
