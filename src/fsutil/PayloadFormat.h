#pragma once
#include <cstddef>
#include <cstdint>

// A one-file setup: the setup program, then, where its image ends (the end of its last
// section's raw data), the payload's header and its stream. A signature may follow, after zeros
// up to a multiple of 8. Numbers are little-endian, digests SHA-256 in 64 lower-case hexadecimal
// digits.
//
// The program's image holds a slot: SlotTag, then 64 bytes that are zeros in a program built for
// folder media and, in a one-file setup, the digest of the payload's header. setup-media finds
// the slot as the image's one copy of the tag, so the program spells the tag out where it
// defines the slot (fsutil/MediaSource.cpp) and uses SlotTag nowhere. The slot lies inside
// the image, so the signature of the one-file setup covers it, and the running program reads it
// from its own memory: a payload is trusted only when its header is the one the running image
// was built with.
//
// Header: PayloadMark, the format version (4 bytes), the file offset of the slot's digest (4),
// the unpacked length of the index (8), the length of the stream (8), then the digests of the
// image (read with its checksum, its certificate-table entry and the slot's digest as zeros,
// since signing and the build change them), of the index and of the stream.
//
// Stream: one LZMA stream in the .lzma layout (the unpacked size stated) whose bytes are the
// index and then every part it lists, in its order, which is the order the install reads them.
// Index entry: the part's size (8 bytes), its CRC-32 (4, base/Crc32.h), its kind (1), its
// name's length (2), its name. The stream's digest, checked before anything is decoded, is what
// stands against a changed payload (the run holds the file open against writers); a part's CRC
// catches a fault in decoding it, at a fraction of a digest's cost in bytes and time. The program's own part holds what makes the program's file from the image that runs:
// the checksum (4 bytes) and certificate-table entry (8) it was given with, and what followed
// its image (its signature).

inline constexpr char PayloadMark[8] = {'Q', 'U', 'P', 'O', 'N', 'E', 'F', '1'};
inline constexpr uint32_t PayloadVersion = 3;
inline constexpr char SlotTag[8] = {'Q', 'U', 'P', 'S', 'L', 'O', 'T', ':'};
inline constexpr size_t DigestTextSize = 64;

inline constexpr size_t VersionAt = 8;
inline constexpr size_t SlotDigestAt = 12;
inline constexpr size_t IndexLengthAt = 16;
inline constexpr size_t StreamLengthAt = 24;
inline constexpr size_t ImageDigestAt = 32;
inline constexpr size_t IndexDigestAt = ImageDigestAt + DigestTextSize;
inline constexpr size_t StreamDigestAt = IndexDigestAt + DigestTextSize;
inline constexpr size_t PayloadHeaderSize = StreamDigestAt + DigestTextSize;

inline constexpr size_t PartCrcAt = 8;
inline constexpr size_t PartKindAt = PartCrcAt + 4;
inline constexpr size_t PartEntryFixedSize = PartKindAt + 1 + 2;

// How the media hold a part: as it is (the script, the licence, the disk identification files),
// compressed under its media name (the package's files), or the setup program.
enum class PartKind : unsigned char { Plain = 0, Package = 1, Program = 2 };
inline constexpr size_t ProgramFieldsSize = 4 + 8;

// The largest dictionary a reader gives memory to.
inline constexpr uint32_t MaxPayloadDictionary = 64u << 20;
