#pragma once
#include <string>
#include <vector>

#include "media/DiskContent.h"

// The media script's section of the compressed files' sizes and digests, with `newline` after
// each line. A name that cannot be a key of a profile file, or that two different files share
// on different disks, is left out: setup then expands that file unchecked, as before.
std::string DigestSection(const std::vector<MediaFile>& compressed, const std::string& newline);

// The line ending `script` uses: CR LF when it has one, else LF.
std::string NewlineOf(const std::string& script);

// The media's script: `script` with a section of setup-media's own (the digests, the media's
// names) after a blank line.
std::string ScriptWithDigests(const std::string& script, const std::string& digests);
