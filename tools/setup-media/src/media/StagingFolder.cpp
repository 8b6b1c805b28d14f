#include "media/StagingFolder.h"

#include <string>
#include <system_error>

#include "common/PathText.h"

namespace fs = std::filesystem;

namespace {

// A new folder beside `out`, named after it; a folder left by a run that was killed is not
// reused: the name gets a number.
fs::path NewFolderBeside(const fs::path& out, const std::string& purpose) {
    for (int attempt = 0;; ++attempt) {
        const fs::path path = out.parent_path() / PathOfText("." + TextOfPath(out.filename()) + "." + purpose +
                                                    (attempt ? "-" + std::to_string(attempt) : std::string()));
        if (fs::create_directory(path)) return path;
    }
}

}  // namespace

// The folders above `out` that are made for it go again when the build fails.
StagingFolder::StagingFolder(const fs::path& out) {
    std::error_code error;
    for (fs::path parent = out.parent_path(); parent.has_relative_path() && !fs::exists(parent, error);
         parent = parent.parent_path())
        madeParents_.push_back(parent);
    fs::create_directories(out.parent_path());
    path_ = NewFolderBeside(out, "partial");
}

StagingFolder::~StagingFolder() {
    std::error_code ignored;
    if (committed_) return;
    fs::remove_all(path_, ignored);
    for (const fs::path& parent : madeParents_) fs::remove(parent, ignored);
}

// The old media stay until the new ones are in place, and come back if they cannot be.
void StagingFolder::CommitTo(const fs::path& out) {
    std::error_code error;
    if (!fs::exists(out, error)) {
        fs::rename(path_, out);
        committed_ = true;
        return;
    }
    const fs::path old = NewFolderBeside(out, "old");
    fs::remove(old);
    fs::rename(out, old);
    fs::rename(path_, out, error);
    if (error) {
        fs::rename(old, out);
        throw fs::filesystem_error("cannot put the media in place", out, error);
    }
    committed_ = true;
    fs::remove_all(old);
}
