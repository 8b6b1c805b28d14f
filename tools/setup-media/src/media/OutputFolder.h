#pragma once
#include <filesystem>
#include <vector>

// The output folder as an absolute path, once it is safe to replace: not a file, empty unless
// `force`, holding none of `inputs` and lying inside none of them. Throws BuildError otherwise.
std::filesystem::path CheckOutputFolder(const std::filesystem::path& out,
                                        const std::vector<std::filesystem::path>& inputs, bool force);

// The one-file setup's path as an absolute path, once it is safe to write: not a folder, not
// one of `inputs`, and no existing file unless `force`. Throws BuildError otherwise.
std::filesystem::path CheckOneFileTarget(const std::filesystem::path& target,
                                         const std::vector<std::filesystem::path>& inputs, bool force);
