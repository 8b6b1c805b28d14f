#include "fuzz/ScriptMutator.h"

#include <utility>

namespace {

// What setup reads meaning into, and what breaks readers of paths and profile files.
const char* const Words[] = {
    "[Package]", "[Licence]", "[InstallFolder]", "[OtherFolders]", "[Disks]", "[ProgramFiles01]",
    "[ProgramFiles02]", "[RegistryKeys]", "[KeyValues]", "[Group]", "[Icons]", "[StartButton]", "[Desktop]",
    "[Directories]", "[ProgramFiles]", "name=", "scope=user", "scope=machine", "uninstallentry=yes",
    "version=", "publisher=", "licence=none", "install=", "n=", "group=", "file1=", "dir1=", "key1=",
    "%%INSTALLPATH%%", "%%PROGPATH%%", "%%COMMONPATH%%", "%%WINDIR%%", "%%WINSYS%%", "%%USERPROGRAMS%%",
    "%%LOCALAPPDATA%%", "%%APPDATA%%", "%PROGPATH%", "%%", "%%INSTALLPATH", "\\", "\\\\", "..\\", "\\..",
    ".", ":", "C:", "C:\\", "\\\\?\\", "\\\\?\\UNC\\", "\\\\localhost\\C$\\", "\\\\.\\", "CON", "NUL",
    "HKEY_LOCAL_MACHINE\\", "HKEY_CURRENT_USER\\", "HKEY_CLASSES_ROOT\\", "HKEY_USERS\\", "HKLM\\",
    "HKEY_CURRENT_CONFIG\\", "(Default)", "string", "dword", "0x", "0xFFFFFFFF", "-1", "2147483648",
    "99999999999999999999", "0", "999", "[ProgramFiles01]file1", "[", "]", "=", ";", "\r\n", "\n", "\r",
    "\t", " ", "\"", "'", "*", "?", "<", ">", "|", "/", "\xEF\xBB\xBF", "\xFF\xFE", "\xC3\xA9", "\xE6\x97\xA5",
    "\xF0\x9F\x98\x80", "\xC3", "\xE2\x82", "\xED\xA0\x80", "\x80", "\xFF", "",
    "uninstal.ini", "install.ini", "qupsetup.exe", "setup.exe", "desktop.ini", "kept.ini",
};

}  // namespace

ScriptMutator::ScriptMutator(std::vector<std::string> seeds, uint64_t seed)
    : seeds_(std::move(seeds)), state_(seed * 0x9E3779B97F4A7C15ull + 1) {}

uint64_t ScriptMutator::Random() {
    // xorshift64*: enough for choosing, and the same everywhere.
    state_ ^= state_ >> 12;
    state_ ^= state_ << 25;
    state_ ^= state_ >> 27;
    return state_ * 0x2545F4914F6CDD1Dull;
}

std::vector<std::string> ScriptMutator::Lines(const std::string& text) const {
    std::vector<std::string> lines;
    size_t start = 0;
    for (size_t i = 0; i <= text.size(); ++i)
        if (i == text.size() || text[i] == '\n') {
            lines.push_back(text.substr(start, i - start));
            start = i + 1;
        }
    return lines;
}

void ScriptMutator::Mutate(std::string& text) {
    const size_t at = Below(text.size() + 1);
    switch (Below(9)) {
        case 0:  // a byte flipped
            if (!text.empty()) text[Below(text.size())] ^= static_cast<char>(1u << Below(8));
            break;
        case 1:  // a byte of any value put in
            text.insert(at, 1, static_cast<char>(Random()));
            break;
        case 2:  // a stretch cut out
            text.erase(at, Below(32));
            break;
        case 3:  // a word of setup's own put in; the empty one stands for a NUL
        case 4: {
            const std::string word = Words[Below(std::size(Words))];
            text.insert(at, word.empty() ? std::string(1, '\0') : word);
            break;
        }
        case 5: {  // a long value: past the limits of paths, names and buffers
            const size_t length = 200 + Below(4000);
            text.insert(at, std::string(length, "aA\\.%x"[Below(6)]));
            break;
        }
        case 6:
        case 7: {  // a line repeated, dropped or swapped with another
            std::vector<std::string> lines = Lines(text);
            const size_t line = Below(lines.size());
            const size_t other = Below(lines.size());
            const size_t how = Below(3);
            if (how == 0) lines.insert(lines.begin() + static_cast<long>(line), lines[other]);
            if (how == 1) lines.erase(lines.begin() + static_cast<long>(line));
            if (how == 2) std::swap(lines[line], lines[other]);
            text.clear();
            for (size_t i = 0; i < lines.size(); ++i) text += (i ? "\n" : "") + lines[i];
            break;
        }
        default: {  // a stretch of another seed spliced in
            const std::string& donor = seeds_[Below(seeds_.size())];
            const size_t from = Below(donor.size());
            text.insert(at, donor.substr(from, Below(80)));
            break;
        }
    }
}

std::string ScriptMutator::Next() {
    std::string text = seeds_[Below(seeds_.size())];
    for (size_t count = 1 + Below(8); count > 0; --count) Mutate(text);
    return text;
}
