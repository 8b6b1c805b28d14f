#pragma once
#include <string>
#include <string_view>
#include <vector>

// The path macros as the setup expands them, for checking values before any machine does.

// Every "%%NAME%%" in `text` that is not one of the five macros (they are case-sensitive).
std::vector<std::string> UnknownMacros(std::string_view text);
// True when `text` holds anything written like a macro, known or not.
bool HasMacroLikeText(std::string_view text);

// The folders the macros stand for on one imagined machine.
struct MacroFolders {
    std::string programFiles;
    std::string commonFiles;
    std::string installFolder;
    std::string windows;
    std::string system;
};

// A usual machine, and one with a long Program Files path (localized or moved elsewhere).
MacroFolders UsualMachine();
MacroFolders LongPathMachine();

// Replaces the macros as the setup does: at each "%%" the first macro that matches there.
std::string ExpandMacros(std::string_view text, const MacroFolders& folders);

// A full Windows path: a drive letter and ":\", or "\\server\share\".
bool IsFullPath(std::string_view path);
// True when `text` begins with one of the five macros, each of which stands for a full path.
bool StartsWithMacro(std::string_view text);

// Setup holds paths in 260-byte buffers.
inline constexpr size_t MaxPathLength = 259;
