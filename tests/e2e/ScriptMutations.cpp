#include "e2e/ScriptMutations.h"

#include <algorithm>
#include <cctype>

namespace {

// Values of every kind the script takes, for a line to get one meant for another.
const char* const OtherValues[] = {
    "",           "yes",          "true",        "no",          "0x10",        "-5",
    "2x",         "C:\\",         "..\\Up",      "Samples",     "a|b",         "none",
    "None",       "user",         "machine",     "string",      "dword",       "str",
    "1.2.3",      "(Default)",    "(default)",   "licence.txt", "HKLM\\Soft",  "HKEY_CURRENT_USER\\Software\\Mutant",
    "%%WINDIR%%", "%%WINSYS%%\\", "%PROGPATH%",  "C:\\Other Place", "%%INSTALLPATH%%\\Samples\\first.txt",
    "[ProgramFiles01]file2",    "[ProgramFiles02]file1",   "%%INSTALLPATH%%\\Data\\**",
    "%%INSTALLPATH%%\\*",        "Notes\\Sub",  "con",         "x.",
    "HKEY_USERS\\Mutant",       "HKEY_LOCAL_MACHINE\\Mutant",   "%%INSTALLPATH%%\\Samples",
    "%%PROGPATH%%\\Mutant\\With a name long enough to pass what a path can hold once the folders of a usual "
    "machine stand before it, which takes some writing, more than an author would ever write for a folder, and "
    "then a little more still, so that the limit of two hundred and fifty-nine characters is passed for sure",
};

// Lines an author adds, each to the section it belongs to or to the end.
const char* const AddedLines[] = {
    "scope=user",        "uninstallentry=yes",    "version=1.2.3",        "publisher=Mutant Makers",
    "[OtherFolders]",    "extra=C:\\Mutant Extra", "sub2=More",            "file9=%%INSTALLPATH%%\\first.txt",
    "[Desktop]",         "t9=[ProgramFiles01]file2", "n9=Mutant Notes",   "[StartButton]",
    "install=%%WINDIR%%\\Mutant", "licence=none", "n=1",                  "group=Mutant Group",
    "[RegistryKeys]",    "key9=HKEY_CURRENT_USER\\Software\\Mutant",       "[KeyValues]",
    "v9=Count",          "r9=key1",               "d9=7",                 "t9=integer",
    "files=%%INSTALLPATH%%\\Data\\*",             "tree=%%INSTALLPATH%%\\Data\\**",
};

bool IsSection(const std::string& line) { return line.starts_with('['); }

}  // namespace

std::string ScriptMutations::Misspelt(const std::string& text) {
    if (text.empty()) return "x";
    std::string slipped = text;
    const size_t at = Below(text.size());
    switch (Below(5)) {
        case 0:
            slipped.erase(at, 1);
            break;
        case 1:
            slipped.insert(at, 1, text[at]);
            break;
        case 2:
            if (at + 1 < slipped.size()) std::swap(slipped[at], slipped[at + 1]);
            break;
        case 3:
            slipped[at] = static_cast<char>(std::isupper(static_cast<unsigned char>(slipped[at]))
                                                ? std::tolower(static_cast<unsigned char>(slipped[at]))
                                                : std::toupper(static_cast<unsigned char>(slipped[at])));
            break;
        default:
            slipped[at] = "aeiost_"[Below(7)];
            break;
    }
    return slipped;
}

std::string ScriptMutations::WithMacroSlip(const std::string& text) {
    const size_t macro = text.find("%%");
    if (macro == std::string::npos) return Misspelt(text);
    std::string slipped = text;
    const size_t end = slipped.find("%%", macro + 2);
    switch (Below(3)) {
        case 0:
            slipped.erase(macro, 1);
            break;
        case 1:
            if (end != std::string::npos) slipped.erase(end, 1);
            break;
        default:
            std::transform(slipped.begin() + static_cast<std::ptrdiff_t>(macro),
                           slipped.begin() + static_cast<std::ptrdiff_t>(end == std::string::npos ? slipped.size() : end),
                           slipped.begin() + static_cast<std::ptrdiff_t>(macro),
                           [](char c) { return static_cast<char>(std::tolower(static_cast<unsigned char>(c))); });
            break;
    }
    return slipped;
}

void ScriptMutations::Slip(Lines& lines) {
    const size_t at = Below(lines.size());
    std::string& line = lines[at];
    const size_t equals = line.find('=');
    switch (Below(9)) {
        case 0:
            lines.erase(lines.begin() + static_cast<std::ptrdiff_t>(at));
            break;
        case 1:
            lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(at), line);
            break;
        case 2:
            if (at + 1 < lines.size()) std::swap(lines[at], lines[at + 1]);
            break;
        case 3:
            if (IsSection(line))
                line = "[" + Misspelt(line.substr(1, line.size() - 2)) + "]";
            else if (equals != std::string::npos)
                line = Misspelt(line.substr(0, equals)) + line.substr(equals);
            break;
        case 4:
            if (equals != std::string::npos) line = line.substr(0, equals + 1) + Misspelt(line.substr(equals + 1));
            break;
        case 5:
            if (equals != std::string::npos) line = line.substr(0, equals + 1) + WithMacroSlip(line.substr(equals + 1));
            break;
        case 6:
            if (equals != std::string::npos) line = line.substr(0, equals + 1) + Any(OtherValues);
            break;
        case 7: {
            const Lines& from = lines;
            const std::string& other = from[Below(from.size())];
            const size_t otherEquals = other.find('=');
            if (equals != std::string::npos && otherEquals != std::string::npos)
                line = line.substr(0, equals + 1) + other.substr(otherEquals + 1);
            break;
        }
        default:
            lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(at) + 1, Any(AddedLines));
            break;
    }
    if (lines.empty()) lines.push_back("[Package]");
}

std::string ScriptMutations::Next() {
    Lines lines;
    for (size_t start = 0; start < sample_.size();) {
        const size_t end = std::min(sample_.find('\n', start), sample_.size());
        lines.push_back(sample_.substr(start, end - start));
        start = end + 1;
    }
    const size_t slips = 1 + Below(3);
    for (size_t i = 0; i < slips; ++i) Slip(lines);
    std::string script;
    for (const std::string& line : lines) script += line + "\n";
    return script;
}
