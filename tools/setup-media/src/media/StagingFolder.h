#pragma once
#include <filesystem>
#include <vector>

// Media are built in a folder of their own beside the output folder and moved into place
// only when complete, so that a failure leaves no half-written media behind.
class StagingFolder {
public:
    explicit StagingFolder(const std::filesystem::path& out);
    ~StagingFolder();
    StagingFolder(const StagingFolder&) = delete;
    StagingFolder& operator=(const StagingFolder&) = delete;

    const std::filesystem::path& Path() const { return path_; }
    // Puts the staged media in place of `out`, whose old content goes.
    void CommitTo(const std::filesystem::path& out);

private:
    std::filesystem::path path_;
    std::vector<std::filesystem::path> madeParents_;  // the deepest first
    bool committed_ = false;
};
