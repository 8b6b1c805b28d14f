#include "app/RunLanguage.h"

#include <windows.h>

#include <algorithm>
#include <iterator>

#include "app/ArgumentText.h"
#include "base/AsciiCase.h"
#include "base/FormatText.h"
#include "base/Texts.h"
#include "fsutil/MediaSource.h"
#include "setupdata/ProfileFile.h"
#include "setupdata/ScriptNames.h"
#include "state/SetupState.h"

namespace {

constexpr char LanguageSwitch[] = "/lang=";

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

std::string TakeLanguageSwitch(std::string& arguments) { return TakeLeadingSwitch(arguments, LanguageSwitch); }

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
        const std::string name = FormatText("qupsetup-%s.lng", tag.c_str());
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

// Their text is put in order and shaped before it is drawn, from the one face chosen: the fallback
// faces the platform links to a Western face are not looked at then (wine), so the face must have
// the script itself. Other scripts are found through those links.
unsigned char CharacterSetOf(const std::string& fileTag) {
    if (fileTag == "ar") return ARABIC_CHARSET;
    if (fileTag == "he") return HEBREW_CHARSET;
    return DEFAULT_CHARSET;
}
