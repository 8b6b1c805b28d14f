#pragma once
#include <filesystem>
#include <string>
#include <vector>

#include "media/PackageSource.h"
#include "script/ProfileText.h"
#include "script/SetupScript.h"

// The package's files as a build takes them: each file of the script (ProgramFiles, folder lines
// written out), the file of the package folder it is made from, and its name on the media
// (MediaNaming.h), one of each for each file.
struct TakenFiles {
    std::vector<ProgramFile> files;
    std::vector<std::filesystem::path> sources;
    std::vector<std::string> mediaNames;
};

// Throws BuildError, naming the line of `scriptName`, for a file the package lacks.
TakenFiles TakeFiles(const ProfileText& script, const PackageSource& source, const std::string& scriptName);
