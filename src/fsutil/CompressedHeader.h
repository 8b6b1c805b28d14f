#pragma once
#include <cstdint>
#include <string>

// Whether `expandedLength` bytes are what the media file at `path` holds. The expansion library
// never checks, so a truncated file would expand to a shorter one without complaint. A file
// that begins with the compressed format's signature (as many of its eight bytes as the file
// has, at least the four letters "SZDD") must have a whole header and expand to the length it
// declares; a file cut inside its header is damaged. Any other file is stored as it is.
bool ExpandedAsDeclared(const std::string& path, uint32_t expandedLength);
