#include "support/ShippedLanguages.h"

#include <windows.h>

#include <algorithm>

#include "base/Texts.h"
#include "support/TestFiles.h"

namespace {

std::string LanguagesFolder() { return WinePath(SETUP_SOURCE_UNIX_DIR "/languages"); }

}  // namespace

std::vector<std::string> ShippedLanguageTags() {
    std::vector<std::string> tags;
    WIN32_FIND_DATAA found{};
    HANDLE search = FindFirstFileA((LanguagesFolder() + "\\*.txt").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return tags;
    do {
        const std::string file = found.cFileName;
        tags.push_back(file.substr(0, file.size() - 4));
    } while (FindNextFileA(search, &found));
    FindClose(search);
    std::sort(tags.begin(), tags.end());
    return tags;
}

std::string CatalogText(const std::string& tag, const std::string& name) {
    const std::string catalog = "\n" + ReadTextFile(LanguagesFolder() + "\\" + tag + ".txt");
    const size_t at = catalog.find("\n" + name + "=");
    if (at == std::string::npos) return "(missing)";
    const size_t start = at + name.size() + 2;
    return catalog.substr(start, catalog.find_first_of("\r\n", start) - start);
}

std::string LanguageFileFor(const std::string& tag) {
    return "qupsetup-" + (tag.rfind("zh-", 0) == 0 ? tag : tag.substr(0, tag.find('-'))) + ".lng";
}

bool WrittenRightToLeft(const std::string& tag) { return tag == "ar" || tag == "he"; }

EnglishAfterwards::~EnglishAfterwards() { static_cast<void>(UseLanguageFile("", "none")); }
