#include "media/OutputFolder.h"

#include <system_error>

#include "common/PathRelations.h"
#include "media/BuildError.h"

namespace fs = std::filesystem;

fs::path CheckOutputFolder(const fs::path& out, const std::vector<fs::path>& inputs, bool force) {
    fs::path folder = fs::absolute(out).lexically_normal();
    if (!folder.has_filename()) folder = folder.parent_path();
    if (!folder.has_relative_path()) throw BuildError(out.string() + " is a root folder, not an output folder");
    // Compared as real paths, so that no spelling or link lets --force replace the inputs.
    for (const fs::path& input : inputs) {
        if (IsWithin(input, folder))
            throw BuildError(out.string() + " holds " + input.string() + ", which it cannot replace");
        if (IsWithin(folder, input))
            throw BuildError(out.string() + " lies inside " + input.string() + ": put the media outside it");
    }
    std::error_code error;
    if (!fs::exists(folder, error)) return folder;
    if (!fs::is_directory(folder, error)) throw BuildError(out.string() + " is not a folder");
    if (!force && !fs::is_empty(folder, error)) throw BuildError(out.string() + " is not empty: --force replaces it");
    return folder;
}

fs::path CheckOneFileTarget(const fs::path& target, const std::vector<fs::path>& inputs, bool force) {
    const fs::path file = fs::absolute(target).lexically_normal();
    for (const fs::path& input : inputs)
        if (IsWithin(file, fs::absolute(input).lexically_normal()) || IsWithin(input, file))
            throw BuildError(target.string() + " would be written in or over " + input.string());
    std::error_code error;
    if (fs::is_directory(file, error)) throw BuildError(target.string() + " is a folder, not a file to write");
    if (!force && fs::exists(file, error)) throw BuildError(target.string() + " exists: --force replaces it");
    return file;
}
