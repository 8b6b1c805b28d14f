#pragma once
#include <filesystem>
#include <ostream>

// Writes the media the one-file setup `oneFile` carries anew into `out`/disk01, as one disk and
// as a build writes media (`force` replaces a folder that is not empty), and says so in
// `report`. Throws BuildError when the file is no one-file setup or is damaged; nothing is
// written then.
void UnpackOneFile(const std::filesystem::path& oneFile, const std::filesystem::path& out, bool force,
                   std::ostream& report);
