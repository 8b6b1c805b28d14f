#pragma once
#include <string>
#include <vector>

#include "script/PackageFolder.h"
#include "script/SetupScript.h"

// Setup finds a package file on the media by its name, so two files of one name from different
// folders of the package cannot both lie there under it. Each file keeps its own name unless
// another file took it first (compressed names compared as Windows compares names) or `reserved`
// holds it; then it is named "<name>~2<rest>", "~3", ... (readme.txt -> readme~2.txt), the first
// that is free, and the media's script says so in [MediaNamesNN]. A name the script gives already
// stays. Files of one source share one name.

// The name on the media of each of `files`; `sources` tells for each what it is made from (equal
// texts for one file).
std::vector<std::string> MediaNamesOf(const std::vector<ProgramFile>& files, const std::vector<std::string>& sources,
                                      const std::vector<std::string>& reserved);

// What each of `files` is made from, for MediaNamesOf: the file the package holds for it, or,
// where it holds none (as in built media, which hold them compressed), its own name.
std::vector<std::string> SourcesOf(const std::vector<ProgramFile>& files, const PackageFolder& package);

// The names on disk 1 that no package file may take: setup's own files, the licence texts and the
// language files.
std::vector<std::string> ReservedNames(const ProfileText& script);
