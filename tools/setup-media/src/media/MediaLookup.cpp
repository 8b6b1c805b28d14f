#include "media/MediaLookup.h"

#include <algorithm>
#include <memory>
#include <system_error>

#include "common/FileLookup.h"
#include "common/PathText.h"
#include "common/TextFile.h"
#include "media/BuildError.h"
#include "media/OneFile.h"
#include "script/ProfileText.h"
#include "script/SetupScript.h"

namespace fs = std::filesystem;

std::function<bool(int disk, const std::string& name)> MediaLookup(const fs::path& media) {
    std::error_code error;
    if (fs::is_regular_file(media, error)) {
        const std::optional<std::string> file = ReadWholeFile(media);
        if (!file) throw BuildError("cannot read " + TextOfPath(media));
        auto names = std::make_shared<std::vector<std::string>>();
        for (const PayloadPart& part : ReadOneFile(*file, TextOfPath(media))) names->push_back(MediaNameOf(part));
        return [names](int, const std::string& name) {
            return std::any_of(names->begin(), names->end(),
                               [&](const std::string& held) { return EqualIgnoringCase(held, name); });
        };
    }
    const bool diskFolders = fs::is_directory(media / DiskFolderName(1), error);
    return [media, diskFolders](int disk, const std::string& name) {
        return HasFileIgnoringCase(diskFolders ? media / DiskFolderName(disk) : media, name);
    };
}
