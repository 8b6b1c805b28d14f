// setup-media's script checker: a script's text through every rule, as `setup-media check` runs
// them (with the media check on). Input: a byte of choices (whether the build assigns the disks,
// which names the media hold), then the script's bytes. Every finding must point at a line of the
// script and say something.
#include <cstdlib>
#include <filesystem>
#include <functional>

#include "script/ScriptCheck.h"

namespace {

// Beside the script: a folder holding a licence, as the sample package has one.
const std::filesystem::path& ScriptFolder() {
    static const std::filesystem::path folder = SETUP_REPO_ROOT "/examples/notes";
    return folder;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 1) return 0;
    const ProfileText script = ProfileText::Read({reinterpret_cast<const char*>(data) + 1, size - 1}, ScriptEncoding{});
    const unsigned choices = data[0];
    CheckInput input{script, ScriptFolder(), {}, (choices & 1) != 0};
    if (choices & 2)
        input.mediaHolds = [choices](int disk, const std::string& name) {
            return (std::hash<std::string>{}(name) + static_cast<size_t>(disk) + choices) % 3 != 0;
        };
    for (const Finding& finding : CheckScript(input)) {
        if (finding.line < 1 || finding.line > std::max<size_t>(script.LineCount(), 1) || finding.message.empty())
            std::abort();
        if (FormatFinding("install.ini", finding).empty()) std::abort();
    }
    return 0;
}
