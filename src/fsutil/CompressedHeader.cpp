#include "fsutil/CompressedHeader.h"

#include <cstring>

#include "base/FileContent.h"

namespace {

// "SZDD", 0x88 0xF0 0x27 0x33, the method 'A', the replaced last character of the name,
// then the expanded length, little-endian.
constexpr unsigned char Magic[] = {'S', 'Z', 'D', 'D', 0x88, 0xF0, 0x27, 0x33, 'A'};
constexpr size_t LengthOffset = 10;
constexpr size_t HeaderSize = 14;

}  // namespace

std::optional<uint32_t> DeclaredExpandedLength(const std::string& path) {
    unsigned char header[HeaderSize];
    if (ReadFileStart(path, header, HeaderSize) != HeaderSize) return std::nullopt;
    if (std::memcmp(header, Magic, sizeof Magic) != 0) return std::nullopt;
    const unsigned char* length = header + LengthOffset;
    return static_cast<uint32_t>(length[0]) | static_cast<uint32_t>(length[1]) << 8 |
           static_cast<uint32_t>(length[2]) << 16 | static_cast<uint32_t>(length[3]) << 24;
}
