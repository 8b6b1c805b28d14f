#pragma once
#include <string>
#include <vector>

// The languages setup speaks, as languages/ holds them: English and a catalog for each other.

// "en" and the tag of every catalog in languages/ ("de", "pt-BR", "zh-Hant", ...), sorted.
std::vector<std::string> ShippedLanguageTags();
// The text of `name` in the catalog of `tag`, as its line writes it ("(missing)" when it has none).
std::string CatalogText(const std::string& tag, const std::string& name);
// The language file setup looks for: by the primary subtag, Chinese by its script as well.
std::string LanguageFileFor(const std::string& tag);
// Whether the language is written right to left.
bool WrittenRightToLeft(const std::string& tag);

// Leaves the run's texts English at its end, whatever language file a test put in place: a file
// that is no language file puts English back.
class EnglishAfterwards {
public:
    EnglishAfterwards() = default;
    ~EnglishAfterwards();
    EnglishAfterwards(const EnglishAfterwards&) = delete;
    EnglishAfterwards& operator=(const EnglishAfterwards&) = delete;
};
