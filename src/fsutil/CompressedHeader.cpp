#include "fsutil/CompressedHeader.h"

#include <algorithm>
#include <cstring>

namespace {

// "SZDD", 0x88 0xF0 0x27 0x33; then the method, the replaced last character of the name and
// the expanded length, little-endian.
constexpr unsigned char Signature[] = {'S', 'Z', 'D', 'D', 0x88, 0xF0, 0x27, 0x33};
constexpr size_t SignatureLetters = 4;
constexpr size_t LengthOffset = 10;

}  // namespace

bool ExpandedAsDeclared(const unsigned char* header, size_t size, uint32_t expandedLength) {
    const bool compressed =
        size >= SignatureLetters && std::memcmp(header, Signature, std::min(size, sizeof Signature)) == 0;
    if (!compressed) return true;
    if (size < CompressedHeaderSize) return false;
    const unsigned char* length = header + LengthOffset;
    return expandedLength == (static_cast<uint32_t>(length[0]) | static_cast<uint32_t>(length[1]) << 8 |
                              static_cast<uint32_t>(length[2]) << 16 | static_cast<uint32_t>(length[3]) << 24);
}
