#include "script/PathMacroText.h"

namespace {

constexpr size_t LongProgramFilesLength = 64;

bool IsNameCharacter(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_';
}

// The length of a "%%NAME%%" at the start of `text`, 0 when none stands there.
size_t MacroLikeLength(std::string_view text) {
    if (!text.starts_with("%%")) return 0;
    size_t end = 2;
    while (end < text.size() && IsNameCharacter(text[end])) ++end;
    return end > 2 && text.substr(end).starts_with("%%") ? end + 2 : 0;
}

MacroFolders MachineWithProgramFiles(const std::string& programFiles, const std::string& windows) {
    return {programFiles, programFiles + "\\Common Files", "", windows, windows + "\\system32"};
}

}  // namespace

std::vector<std::string> UnknownMacros(std::string_view text) {
    std::vector<std::string> unknown;
    for (size_t i = 0; i < text.size(); ++i) {
        if (const PathMacro* macro = PathMacroAt(text.substr(i))) {
            i += macro->token.size() - 1;
        } else if (const size_t length = MacroLikeLength(text.substr(i))) {
            unknown.emplace_back(text.substr(i, length));
            i += length - 1;
        }
    }
    return unknown;
}

bool HasMacroLikeText(std::string_view text) {
    for (size_t i = 0; i < text.size(); ++i)
        if (MacroLikeLength(text.substr(i)) > 0) return true;
    return false;
}

MacroFolders UsualMachine() { return MachineWithProgramFiles("C:\\Program Files", "C:\\WINDOWS"); }

MacroFolders LongPathMachine() {
    const std::string programFiles = "C:\\Program Files";
    return MachineWithProgramFiles(programFiles + std::string(LongProgramFilesLength - programFiles.size(), 'x'),
                                   "C:\\WINDOWS");
}

bool IsFullPath(std::string_view path) {
    const bool letter = !path.empty() && ((path[0] >= 'A' && path[0] <= 'Z') || (path[0] >= 'a' && path[0] <= 'z'));
    if (letter && path.substr(1).starts_with(":\\")) return true;
    if (!path.starts_with("\\\\")) return false;
    const size_t server = path.find('\\', 2);
    const size_t share = server == std::string_view::npos ? server : path.find('\\', server + 1);
    return share != std::string_view::npos && server > 2 && share > server + 1;
}

bool StartsWithMacro(std::string_view text) { return PathMacroAt(text) != nullptr; }
