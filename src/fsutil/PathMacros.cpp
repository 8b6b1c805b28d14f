#include "fsutil/PathMacros.h"

#include <string_view>

#include "state/SetupState.h"

namespace {

struct PathMacro {
    std::string_view token;
    std::string SetupState::*directory;
};

// Tried in this order at every "%%".
constexpr PathMacro PathMacroTable[] = {
    {"%%PROGPATH%%", &SetupState::ProgramFilesDir},
    {"%%COMMONPATH%%", &SetupState::CommonFilesDir},
    {"%%INSTALLPATH%%", &SetupState::InstallFolder},
    {"%%WINDIR%%", &SetupState::WindowsDir},
    {"%%WINSYS%%", &SetupState::SystemDir},
};

const PathMacro* MacroAt(std::string_view text) {
    if (!text.starts_with("%%")) return nullptr;
    for (const PathMacro& macro : PathMacroTable)
        if (text.starts_with(macro.token)) return &macro;
    return nullptr;
}

}  // namespace

std::string ExpandPathMacros(const std::string& source) {
    const std::string_view text = source;
    std::string result;
    size_t i = 0;
    while (i < text.size()) {
        if (const PathMacro* macro = MacroAt(text.substr(i))) {
            result += Setup.*(macro->directory);
            i += macro->token.size();
        } else {
            result += text[i++];
        }
    }
    RequireFittingPath(result);
    return result;
}
