#include "script/PathMacroText.h"

#include <algorithm>

#include "common/LetterCase.h"

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
    const std::string local = "C:\\Users\\User\\AppData\\Local";
    return {programFiles, programFiles + "\\Common Files", "", windows, windows + "\\system32",
            local + "\\Programs", local, "C:\\Users\\User\\AppData\\Roaming"};
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

std::optional<std::string_view> UserFolderMacroIn(std::string_view text) {
    for (size_t i = 0; i < text.size(); ++i) {
        const PathMacro* macro = PathMacroAt(text.substr(i));
        if (!macro) continue;
        for (const auto folder : {&MacroFolders::userPrograms, &MacroFolders::localAppData, &MacroFolders::appData})
            if (macro->folder == folder) return macro->token;
        i += macro->token.size() - 1;
    }
    return std::nullopt;
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

std::vector<std::string> FolderParts(std::string_view path) {
    std::vector<std::string> parts;
    while (!path.empty()) {
        const size_t end = std::min(path.find('\\'), path.size());
        const std::string_view part = path.substr(0, end);
        path.remove_prefix(std::min(end + 1, path.size()));
        if (part == ".." && parts.size() > 1)
            parts.pop_back();
        else if (!part.empty() && part != "." && part != "..")
            parts.push_back(LowerCase(part));
    }
    return parts;
}
