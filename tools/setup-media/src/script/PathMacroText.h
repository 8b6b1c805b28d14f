#pragma once
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "setupdata/MacroExpansion.h"

// The path macros as the setup expands them (setupdata/MacroExpansion.h), for checking values
// before any machine does.

// Every "%%NAME%%" in `text` that is not one of the macros (they are case-sensitive).
std::vector<std::string> UnknownMacros(std::string_view text);
// True when `text` holds anything written like a macro, known or not.
bool HasMacroLikeText(std::string_view text);

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
