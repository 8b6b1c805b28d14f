#include "media/StagingFolder.h"

#include <string>
#include <system_error>

namespace fs = std::filesystem;

StagingFolder::StagingFolder(const fs::path& out) {
    fs::create_directories(out.parent_path());
    // A folder left by a run that was killed is not reused: its name gets a number.
    for (int attempt = 0;; ++attempt) {
        path_ = out.parent_path() / ("." + out.filename().string() + ".partial" +
                                     (attempt ? "-" + std::to_string(attempt) : std::string()));
        if (fs::create_directory(path_)) break;
    }
}

StagingFolder::~StagingFolder() {
    std::error_code ignored;
    if (!committed_) fs::remove_all(path_, ignored);
}

void StagingFolder::CommitTo(const fs::path& out) {
    fs::remove_all(out);
    fs::rename(path_, out);
    committed_ = true;
}
