#pragma once
#include <filesystem>
#include <ostream>

// Writes the media the one-file setup `oneFile` carries into `folder`, as one disk.
// Throws BuildError when the file is no one-file setup or is damaged; nothing is written then.
void UnpackInto(const std::filesystem::path& oneFile, const std::filesystem::path& folder);

// Writes them anew into `out`/disk01, as a build writes media (`force` replaces a folder that
// is not empty), and says so in `report`.
void UnpackOneFile(const std::filesystem::path& oneFile, const std::filesystem::path& out, bool force,
                   std::ostream& report);
