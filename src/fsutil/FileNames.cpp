#include "fsutil/FileNames.h"

#include "base/Utf8Text.h"

namespace {

constexpr size_t MaxDisplayLength = 54;
constexpr size_t DisplayKeepLength = 51;

bool IsNameSeparator(char c) { return c == '\\' || c == ':'; }

}  // namespace

std::string FileNamePart(const std::string& path) {
    for (size_t i = path.size(); i > 1; --i)
        if (IsNameSeparator(path[i - 1])) return path.substr(i);
    return path;
}

std::string CompressedFileName(const std::string& name) {
    const size_t dot = name.find('.');
    if (dot == std::string::npos) return name + "._";
    std::string tail = name.substr(dot + 1);
    // Three-letter extensions lose their last letter to the mark (a whole letter, however many
    // bytes it takes); shorter and longer ones keep all.
    if (CharacterCount(tail) == 3) tail = FirstCharacters(tail, 2);
    std::string compressed = name.substr(0, dot + 1);
    compressed.append(tail) += '_';
    return compressed;
}

std::string TruncateWithDots(const std::string& text, size_t keep) { return FirstCharacters(text, keep) + "..."; }

std::string DisplayText(const std::string& text) {
    return CharacterCount(text) > MaxDisplayLength ? TruncateWithDots(text, DisplayKeepLength) : text;
}

std::string WithTrailingBackslash(std::string path) {
    if (path.empty() || path.back() != '\\') path += '\\';
    return path;
}

std::string FolderPart(const std::string& path) { return path.substr(0, path.find_last_of('\\')); }
