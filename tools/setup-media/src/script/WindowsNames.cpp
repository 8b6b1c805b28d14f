#include "script/WindowsNames.h"

#include <algorithm>
#include <string_view>

#include "common/LetterCase.h"

namespace {

// Names Windows keeps for devices, with any extension.
constexpr std::string_view DeviceNames[] = {"con", "prn", "aux", "nul"};
constexpr std::string_view NumberedDeviceNames[] = {"com", "lpt"};

bool IsDeviceName(const std::string& name) {
    const std::string stem = LowerCase(name.substr(0, name.find('.')));
    for (std::string_view device : DeviceNames)
        if (stem == device) return true;
    for (std::string_view device : NumberedDeviceNames)
        if (stem.size() == 4 && stem.starts_with(device) && stem[3] >= '1' && stem[3] <= '9') return true;
    return false;
}

// Where the folders of a path begin: after "C:\" or "\\server\share\" of a full one.
size_t FoldersStart(const std::string& path) {
    if (path.size() >= 3 && path[1] == ':' && path[2] == '\\') return 3;
    if (!path.starts_with("\\\\")) return 0;
    const size_t server = path.find('\\', 2);
    const size_t share = server == std::string::npos ? server : path.find('\\', server + 1);
    return share == std::string::npos ? path.size() : share + 1;
}

}  // namespace

std::optional<std::string> CharacterFault(const std::string& name) {
    if (name.find_first_of("<>:\"/|?*") != std::string::npos ||
        std::any_of(name.begin(), name.end(), [](char c) { return static_cast<unsigned char>(c) < 0x20; }))
        return "holds a character Windows does not allow in file names";
    if (IsDeviceName(name)) return "is the name of a Windows device";
    return std::nullopt;
}

std::optional<std::string> NameFault(const std::string& name) {
    if (const std::optional<std::string> fault = CharacterFault(name)) return fault;
    if (!name.empty() && (name.back() == '.' || name.back() == ' ')) return "ends in a dot or blank, which Windows drops";
    return std::nullopt;
}

std::optional<std::string> PathFault(const std::string& path) {
    std::string_view rest = std::string_view(path).substr(FoldersStart(path));
    while (!rest.empty()) {
        const size_t end = std::min(rest.find_first_of("\\/"), rest.size());
        const std::string part(rest.substr(0, end));
        rest.remove_prefix(std::min(end + 1, rest.size()));
        if (part.empty() || part == "." || part == "..") continue;
        if (const std::optional<std::string> fault = CharacterFault(part))
            return "the name \"" + part + "\" " + *fault;
    }
    return std::nullopt;
}
