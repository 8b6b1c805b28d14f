#pragma once
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "setupdata/MacroExpansion.h"

// The path macros as the setup expands them (setupdata/MacroExpansion.h), for checking values
// before any machine does.

// Every "%%NAME%%" in `text` whose name is none of the macros' in any letter case.
std::vector<std::string> UnknownMacros(std::string_view text);
// A macro's name written with one percent sign on a side or in other letters ("%PROGPATH%",
// "%%progpath%%"), which setup copies as it stands, and the macro meant.
struct MisspeltMacro {
    std::string written;
    std::string_view meant;
};
std::vector<MisspeltMacro> MisspeltMacros(std::string_view text);
// The macros, "%%PROGPATH%%" and on.
std::vector<std::string> MacroNames();
// True when `text` holds anything written like a macro, known, unknown or misspelt.
bool HasMacroLikeText(std::string_view text);
// True when `text` holds one of the macros as setup expands it.
bool UsesMacros(std::string_view text);

// The first macro in `text` that stands for a folder of the user who runs setup; nothing when none does.
std::optional<std::string_view> UserFolderMacroIn(std::string_view text);

// The folders of a usual machine, and one with a long Program Files path (localized or moved elsewhere).
MacroFolders UsualMachine();
MacroFolders LongPathMachine();

// A full Windows path: a drive letter and ":\", or "\\server\share\".
bool IsFullPath(std::string_view path);
// True when `text` begins with one of the macros, each of which stands for a full path.
bool StartsWithMacro(std::string_view text);
// A folder as Windows resolves it, part by part: lower case (ASCII), "." and ".." and doubled "\"
// resolved.
std::vector<std::string> FolderParts(std::string_view path);

// Setup holds paths in 260-byte buffers.
inline constexpr size_t MaxPathLength = 259;
