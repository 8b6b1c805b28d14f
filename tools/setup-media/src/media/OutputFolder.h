#pragma once
#include <filesystem>
#include <vector>

// The output folder as an absolute path, once it is safe to replace: not a file, empty unless
// `force`, holding none of `inputs` and lying inside none of them. Throws BuildError otherwise.
std::filesystem::path CheckOutputFolder(const std::filesystem::path& out,
                                        const std::vector<std::filesystem::path>& inputs, bool force);
