#include "media/OutputFolder.h"

#include <system_error>

#include "common/PathRelations.h"
#include "common/PathText.h"
#include "media/BuildError.h"

namespace fs = std::filesystem;

fs::path CheckOutputFolder(const fs::path& out, const std::vector<fs::path>& inputs, bool force) {
    fs::path folder = fs::absolute(out).lexically_normal();
    if (!folder.has_filename()) folder = folder.parent_path();
    if (!folder.has_relative_path()) throw BuildError(TextOfPath(out) + " is a root folder, not an output folder");
    // Compared as real paths, so that no spelling or link lets --force replace the inputs.
    for (const fs::path& input : inputs) {
        if (IsWithin(input, folder))
            throw BuildError(TextOfPath(out) + " holds " + TextOfPath(input) + ", which it cannot replace");
        if (IsWithin(folder, input))
            throw BuildError(TextOfPath(out) + " lies inside " + TextOfPath(input) + ": put the media outside it");
    }
    std::error_code error;
    if (!fs::exists(folder, error)) return folder;
    if (!fs::is_directory(folder, error)) throw BuildError(TextOfPath(out) + " is not a folder");
    if (!force && !fs::is_empty(folder, error))
        throw BuildError(TextOfPath(out) + " is not empty: --force replaces it");
    return folder;
}

fs::path CheckOneFileTarget(const fs::path& target, const std::vector<fs::path>& inputs, bool force) {
    const fs::path file = fs::absolute(target).lexically_normal();
    for (const fs::path& input : inputs)
        if (IsWithin(file, fs::absolute(input).lexically_normal()) || IsWithin(input, file))
            throw BuildError(TextOfPath(target) + " would be written in or over " + TextOfPath(input));
    std::error_code error;
    if (fs::is_directory(file, error)) throw BuildError(TextOfPath(target) + " is a folder, not a file to write");
    if (!force && fs::exists(file, error)) throw BuildError(TextOfPath(target) + " exists: --force replaces it");
    return file;
}
