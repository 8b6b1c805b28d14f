#include "script/PathMacroText.h"

#include <algorithm>

#include "common/LetterCase.h"

namespace {

constexpr size_t LongProgramFilesLength = 64;

bool IsNameCharacter(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_';
}

// A name between percent signs, one or two on each side, at the start of a text.
struct MacroLike {
    size_t length = 0;
    std::string_view name;
    bool doubled = false;  // "%%NAME%%", the form of a macro
};

std::optional<MacroLike> MacroLikeAt(std::string_view text) {
    if (!text.starts_with('%')) return std::nullopt;
    const size_t lead = text.starts_with("%%") ? 2 : 1;
    size_t end = lead;
    while (end < text.size() && IsNameCharacter(text[end])) ++end;
    if (end == lead || end == text.size() || text[end] != '%') return std::nullopt;
    const size_t trail = text.substr(end).starts_with("%%") ? 2 : 1;
    return MacroLike{end + trail, text.substr(lead, end - lead), lead == 2 && trail == 2};
}

// The macro whose name `name` is in any letter case; null when none.
const PathMacro* MacroNamed(std::string_view name) {
    for (const PathMacro& macro : PathMacros)
        if (EqualIgnoringCase(macro.token.substr(2, macro.token.size() - 4), name)) return &macro;
    return nullptr;
}

// Calls `found` for every text written like a macro that is not one, with the macro it names
// in other letters or percent signs (null for none).
template <class Found>
void ForEachMacroLike(std::string_view text, const Found& found) {
    for (size_t i = 0; i < text.size(); ++i) {
        if (const PathMacro* macro = PathMacroAt(text.substr(i))) {
            i += macro->token.size() - 1;
        } else if (const std::optional<MacroLike> like = MacroLikeAt(text.substr(i))) {
            const PathMacro* meant = MacroNamed(like->name);
            if (meant || like->doubled) found(text.substr(i, like->length), meant);
            i += like->length - 1;
        }
    }
}

MacroFolders MachineWithProgramFiles(const std::string& programFiles, const std::string& windows) {
    const std::string local = "C:\\Users\\User\\AppData\\Local";
    return {programFiles, programFiles + "\\Common Files", "", windows, windows + "\\system32",
            local + "\\Programs", local, "C:\\Users\\User\\AppData\\Roaming"};
}

}  // namespace

std::vector<std::string> UnknownMacros(std::string_view text) {
    std::vector<std::string> unknown;
    ForEachMacroLike(text, [&](std::string_view written, const PathMacro* meant) {
        if (!meant) unknown.emplace_back(written);
    });
    return unknown;
}

std::vector<MisspeltMacro> MisspeltMacros(std::string_view text) {
    std::vector<MisspeltMacro> misspelt;
    ForEachMacroLike(text, [&](std::string_view written, const PathMacro* meant) {
        if (meant) misspelt.push_back({std::string(written), meant->token});
    });
    return misspelt;
}

std::vector<std::string> MacroNames() {
    std::vector<std::string> names;
    for (const PathMacro& macro : PathMacros) names.emplace_back(macro.token);
    return names;
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
    bool found = false;
    ForEachMacroLike(text, [&](std::string_view, const PathMacro*) { found = true; });
    return found || UsesMacros(text);
}

bool UsesMacros(std::string_view text) {
    for (size_t i = 0; i < text.size(); ++i)
        if (PathMacroAt(text.substr(i))) return true;
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
