#pragma once
#include <optional>
#include <string>
#include <vector>

#include "script/ProfileText.h"

// What the languages a package offers add to disk 1, beside setup.exe.
struct LanguageFile {
    std::string name;     // qupsetup-<file tag>.lng
    std::string content;  // base/Texts.h reads it
};

struct LanguageMedia {
    // The licence texts of the offered languages that are not `licence` (the package's own), each once.
    std::vector<std::string> licences;
    // A language file for each offered language but English, which setup.exe holds (and English
    // too when the author changed its texts), in the order of the offered languages.
    std::vector<LanguageFile> files;
    // The languages asked for whose catalogs this setup-media lacks ("all" takes in those it has).
    std::vector<std::string> notCarried;
};

// For a script the check passes.
LanguageMedia LanguageMediaOf(const ProfileText& script, const std::optional<std::string>& licence);
