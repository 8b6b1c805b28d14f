#pragma once
#include <string>
#include <vector>

// The language a run speaks: the one "/LANG=" names, else for an uninstall the one its install
// spoke (its log keeps that language's texts), else the person's display language. English is
// built in; any other comes from a language file on the media (qupsetup-<file tag>.lng) for the
// languages the package offers. A language asked for that the package does not offer gives way
// to the display language, and that one to English.

// Takes "/LANG=tag" (any case) off the argument text where it stands first, or right after "/S",
// and gives the tag; the argument text is then what it would be without it.
std::string TakeLanguageSwitch(std::string& arguments);

// The language file's tag for a language tag: its primary language in lower case ("pt" for
// "pt-PT", "de" for "de-AT"); Chinese by its script, or by its region where the tag names none
// ("zh-Hant" for "zh-TW", "zh-HK" and "zh-MO", else "zh-Hans").
std::string LanguageFileTag(const std::string& tag);

// Puts the run's language in place: `asked` ("/LANG=", or empty), for an uninstall of the log at
// `logPath` (or empty for an install). Keeps what the log of an install is to record of it in
// `Setup`. What was refused, a line each, for the run's log.
std::vector<std::string> UseRunLanguage(const std::string& asked, const std::string& logPath);

// Whether the language of that file tag is written right to left (Arabic, Hebrew).
bool IsRightToLeft(const std::string& fileTag);

// The character set the windows' fonts ask for: Arabic's or Hebrew's for those languages, else the
// default one.
unsigned char CharacterSetOf(const std::string& fileTag);
