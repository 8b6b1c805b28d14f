#include "app/RunLanguage.h"

#include <windows.h>

#include <algorithm>
#include <iterator>

#include "base/AsciiCase.h"
#include "base/Texts.h"
#include "fsutil/MediaSource.h"
#include "setupdata/ProfileFile.h"
#include "setupdata/ScriptNames.h"
#include "state/SetupState.h"

namespace {

constexpr char LanguageSwitch[] = "/lang=";

// Whether `text` at `at` starts with "/LANG=" in any case.
bool SwitchAt(const std::string& text, size_t at) {
    for (size_t i = 0; LanguageSwitch[i]; ++i)
        if (at + i >= text.size() || AsciiLower(text[at + i]) != LanguageSwitch[i]) return false;
    return true;
}

// The person's display language, as the platform's user interface speaks it ("ja-JP").
std::string DisplayLanguage() {
    wchar_t languages[256] = {};
    ULONG count = 0, size = std::size(languages);
    if (!GetUserPreferredUILanguages(MUI_LANGUAGE_NAME, &count, languages, &size) || count == 0) return {};
    std::string tag;
    for (const wchar_t* c = languages; *c && *c < 0x80; ++c) tag += static_cast<char>(*c);
    return tag;
}

// The language of an install, as its log keeps it. The log is not checked against its record yet:
// what a changed one could do here is show other words, which are never read for more arguments
// than the English ones take.
std::vector<std::string> UseLoggedLanguage(const std::string& logPath) {
    const ProfileFile log(logPath);
    const std::string file = log.ReadValue(PackageSection, LogTextsKey, "");
    if (file.empty()) return {};
    Setup.Language = log.ReadValue(PackageSection, LanguageKey, "");
    return UseLanguageFile(file, logPath.c_str());
}

}  // namespace

std::string TakeLanguageSwitch(std::string& arguments) {
    size_t at = 0;
    // After "/S" and its blanks, if the text starts with it.
    if (arguments.size() > 2 && AsciiLower(arguments[1]) == 's' && arguments[0] == '/' && (arguments[2] == ' ' || arguments[2] == '\t'))
        at = arguments.find_first_not_of(" \t", 2);
    if (at == std::string::npos || !SwitchAt(arguments, at)) return {};
    const size_t end = std::min(arguments.find_first_of(" \t", at), arguments.size());
    const std::string tag = arguments.substr(at + sizeof LanguageSwitch - 1, end - at - (sizeof LanguageSwitch - 1));
    const size_t rest = std::min(arguments.find_first_not_of(" \t", end), arguments.size());
    arguments.erase(at, rest - at);
    // "/S" alone keeps no blank after it.
    while (!arguments.empty() && (arguments.back() == ' ' || arguments.back() == '\t')) arguments.pop_back();
    return tag;
}

std::string LanguageFileTag(const std::string& tag) {
    std::string lower;
    for (const char c : tag) lower += AsciiLower(c == '_' ? '-' : c);
    const std::string primary = lower.substr(0, lower.find('-'));
    if (primary != "zh") return primary;
    const bool traditional = lower.find("-hant") != std::string::npos ||
                             (lower.find("-hans") == std::string::npos &&
                              (lower.find("-tw") != std::string::npos || lower.find("-hk") != std::string::npos ||
                               lower.find("-mo") != std::string::npos));
    return traditional ? "zh-Hant" : "zh-Hans";
}

std::vector<std::string> UseRunLanguage(const std::string& asked, const std::string& logPath) {
    if (asked.empty() && !logPath.empty()) return UseLoggedLanguage(logPath);
    // A language asked for that the package does not offer (or none asked for) leaves the person's own.
    std::string tag = LanguageFileTag(asked);
    for (bool asAsked = true;; asAsked = false) {
        const std::string name = "qupsetup-" + tag + ".lng";
        if (const Result<std::string> file = Media().Read(name)) {
            Setup.Language = tag;
            Setup.LanguageFile = file.Value();
            return UseLanguageFile(file.Value(), name.c_str());
        }
        if (!asAsked) return {};
        tag = LanguageFileTag(DisplayLanguage());
    }
}

bool IsRightToLeft(const std::string& fileTag) { return fileTag == "ar" || fileTag == "he"; }
