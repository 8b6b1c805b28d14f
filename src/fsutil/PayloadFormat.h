#pragma once
#include <cstddef>

// A one-file setup: the setup program, then, where its image ends (the end of its last
// section's raw data), a header and the payload: an index and the parts it lists, in its order.
// A signature may follow the payload. Numbers are little-endian, digests SHA-256 in 64
// lower-case hexadecimal digits.
//
// Header: the mark, the payload's length (8 bytes), the index's length (8 bytes), and the digest
// of the program's image (its checksum and its certificate-table entry taken as zeros, since
// signing changes them) followed by the payload. The header itself is not in the digest.
// Index entry: the part's size (8 bytes), its digest, its name's length (2 bytes), its name.

inline constexpr char PayloadMark[8] = {'Q', 'U', 'P', 'O', 'N', 'E', 'F', '1'};
inline constexpr size_t DigestTextSize = 64;
inline constexpr size_t PayloadLengthAt = 8;
inline constexpr size_t IndexLengthAt = 16;
inline constexpr size_t PayloadDigestAt = 24;
inline constexpr size_t PayloadHeaderSize = PayloadDigestAt + DigestTextSize;
inline constexpr size_t PartEntryFixedSize = 8 + DigestTextSize + 2;
