#pragma once
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The languages setup speaks, by their tags (BCP 47, as languages/<tag>.txt names them). English is
// built into setup.exe; every other language is a file on the media, named by its file tag: the
// primary subtag ("pt" for pt-BR), except Chinese, which setup tells apart by script
// ("zh-Hans", "zh-Hant").

inline constexpr const char* EnglishTag = "en";

// English and the languages setup-media ships, whether or not their catalogs were there when it
// was built, and any other language whose catalog was; in that order.
std::vector<std::string> KnownLanguageTags();

// The known tag `written` stands for, without regard to case; nothing for an unknown one.
std::optional<std::string> KnownTag(std::string_view written);

// The known tag an unknown `written` most likely means: one of the same primary language
// ("pt" for pt-BR), or one within a slip of it; nothing when none is near.
std::optional<std::string> NearestTag(std::string_view written);

std::string FileTagOf(const std::string& tag);

// "qupsetup-de.lng": the name of the language's file on the media, beside setup.exe.
std::string LanguageFileName(const std::string& tag);
