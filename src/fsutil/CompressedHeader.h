#pragma once
#include <cstddef>
#include <cstdint>

// The most of a file's start that ExpandedAsDeclared looks at.
inline constexpr size_t CompressedHeaderSize = 14;

// Whether `expandedLength` bytes are what a media file holds, judged by its first `size` bytes,
// `start` (CompressedHeaderSize of them, or all the file has). The expansion library
// never checks, so a truncated file would expand to a shorter one without complaint. A file
// that begins with the compressed format's signature (as many of its eight bytes as the file
// has, at least the four letters "SZDD") must have a whole header and expand to the length it
// declares; a file cut inside its header is damaged. Any other file is stored as it is.
bool ExpandedAsDeclared(const unsigned char* start, size_t size, uint32_t expandedLength);
