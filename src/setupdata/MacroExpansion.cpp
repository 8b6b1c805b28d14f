#include "setupdata/MacroExpansion.h"

const PathMacro* PathMacroAt(std::string_view text) {
    if (!text.starts_with("%%")) return nullptr;
    for (const PathMacro& macro : PathMacros)
        if (text.starts_with(macro.token)) return &macro;
    return nullptr;
}

std::string ExpandMacros(const std::string& text, const MacroFolders& folders) {
    std::string expanded;
    for (size_t i = 0; i < text.size();) {
        if (const PathMacro* macro = PathMacroAt(std::string_view(text).substr(i))) {
            expanded += folders.*(macro->folder);
            i += macro->token.size();
        } else {
            expanded += text[i++];
        }
    }
    return expanded;
}
