#include <gtest/gtest.h>

#include <string>

#include "app/RunLanguage.h"

// The language files a package carries are named by the primary language; Chinese by script, or
// by the region where a tag names none, as the platform's own tags for Hong Kong and Taiwan do.
TEST(RunLanguage, ALanguageTagNamesTheFileOfItsPrimaryLanguageChineseByScript) {
    const struct {
        const char* tag;
        const char* file;
    } cases[] = {
        {"de-AT", "de"},        {"pt-PT", "pt"},      {"pt_BR", "pt"},           {"EN-us", "en"},   {"ja", "ja"},
        {"zh-CN", "zh-Hans"},   {"zh-SG", "zh-Hans"}, {"zh", "zh-Hans"},         {"zh-TW", "zh-Hant"},
        {"zh-HK", "zh-Hant"},   {"zh-MO", "zh-Hant"}, {"zh-Hant-HK", "zh-Hant"}, {"zh-Hans-HK", "zh-Hans"},
        {"ZH-hant", "zh-Hant"}, {"", ""},
    };
    for (const auto& each : cases) EXPECT_EQ(LanguageFileTag(each.tag), each.file) << each.tag;
}

// "/LANG=" stands first, or right after "/S"; anywhere else it is part of a path, and stays.
TEST(RunLanguage, TheLanguageSwitchIsTakenFirstOrAfterTheSilentSwitch) {
    const struct {
        const char* given;
        const char* tag;
        const char* left;
    } cases[] = {
        {"/LANG=fr", "fr", ""},
        {"/lang=de C:\\App\\uninstal.ini", "de", "C:\\App\\uninstal.ini"},
        {"/S /LANG=ja /D=C:\\Program Files\\App", "ja", "/S /D=C:\\Program Files\\App"},
        {"/s\t/Lang=zh-TW  C:\\App\\uninstal.ini", "zh-TW", "/s\tC:\\App\\uninstal.ini"},
        {"/S /LANG=ar", "ar", "/S"},
        {"/S /D=C:\\x /LANG=de", "", "/S /D=C:\\x /LANG=de"},
        {"C:\\Apps /LANG=de\\uninstal.ini", "", "C:\\Apps /LANG=de\\uninstal.ini"},
        {"", "", ""},
    };
    for (const auto& each : cases) {
        std::string arguments = each.given;
        EXPECT_EQ(TakeLanguageSwitch(arguments), each.tag) << each.given;
        EXPECT_EQ(arguments, each.left) << each.given;
    }
}
