#pragma once
#include <string>

// Profile files as the program keeps them: UTF-16 with a byte-order mark, which the profile
// functions read and write as Unicode on every version of the platform, whatever the code page.

// Makes `target` (replaced when it exists) the UTF-16 copy of the profile file `source`, as
// DecodeAuthorText reads it; a source in UTF-16 (little-endian) gives the same bytes. `source` and
// `target` may be the same file. False when the source cannot be read or the copy written;
// a copy that failed half-way is removed.
bool CopyAsUnicodeProfile(const std::string& source, const std::string& target);

// The same for a profile file read already: writes `path` (replaced when it exists) as the UTF-16
// profile file of the bytes `content`. False when it cannot be written; a file written half-way
// is removed.
bool WriteUnicodeProfile(const std::string& path, const std::string& content);

// Creates `path` as an empty UTF-16 profile file, so that what is written to it next is
// Unicode from its first line. False when it exists already or cannot be made.
bool CreateUnicodeProfile(const std::string& path);
