#pragma once
#include <string>
#include <string_view>

// The setup script's path macros: "%%NAME%%" texts that stand for folders of the machine the
// setup runs on. Portable: the media tool checks scripts by the same rules.

// The folders the macros stand for. The last three are the folders of the user who runs setup.
struct MacroFolders {
    std::string programFiles;
    std::string commonFiles;
    std::string installFolder;
    std::string windows;
    std::string system;
    std::string userPrograms;  // the user's own programs: Local AppData's Programs
    std::string localAppData;
    std::string appData;  // the roaming one
};

// A macro and the folder it stands for.
struct PathMacro {
    std::string_view token;
    std::string MacroFolders::*folder;
};

// Tried in this order at every "%%": a macro more is a line more here, and its folder above.
inline constexpr PathMacro PathMacros[] = {
    {"%%PROGPATH%%", &MacroFolders::programFiles},
    {"%%COMMONPATH%%", &MacroFolders::commonFiles},
    {"%%INSTALLPATH%%", &MacroFolders::installFolder},
    {"%%WINDIR%%", &MacroFolders::windows},
    {"%%WINSYS%%", &MacroFolders::system},
    {"%%USERPROGRAMS%%", &MacroFolders::userPrograms},
    {"%%LOCALAPPDATA%%", &MacroFolders::localAppData},
    {"%%APPDATA%%", &MacroFolders::appData},
};

// The macro `text` starts with, matched literally, letter case included; null when none does.
const PathMacro* PathMacroAt(std::string_view text);

// `text` with every macro replaced by its folder. Inserted folders are not scanned again; any
// other "%" is copied as it stands.
std::string ExpandMacros(const std::string& text, const MacroFolders& folders);
