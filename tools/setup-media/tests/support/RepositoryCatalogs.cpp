#include "support/RepositoryCatalogs.h"

#include <algorithm>
#include <filesystem>

#include "support/TempTree.h"

namespace fs = std::filesystem;

namespace {

const fs::path Languages = SETUP_REPO_ROOT "/languages";

}  // namespace

std::vector<std::string> RepositoryCatalogTags() {
    std::vector<std::string> tags;
    for (const auto& entry : fs::directory_iterator(Languages))
        if (entry.path().extension() == ".txt") tags.push_back(entry.path().stem().string());
    std::sort(tags.begin(), tags.end());
    return tags;
}

std::string RepositoryCatalog(const std::string& tag) { return ReadFile(Languages / (tag + ".txt")); }
