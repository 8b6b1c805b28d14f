#include "texts/LanguageTags.h"

#include <algorithm>

#include "common/LetterCase.h"
#include "common/NearestName.h"
#include "texts/ShippedCatalogs.h"

namespace {

// The translations setup-media ships.
constexpr const char* ShippedTags[] = {"de", "fr", "es", "it",      "pt-BR",   "nl", "pl", "ru",
                                       "uk", "tr", "ja", "zh-Hans", "zh-Hant", "ko", "ar", "he"};

std::string PrimarySubtag(std::string_view tag) { return LowerCase(tag.substr(0, tag.find('-'))); }

}  // namespace

std::vector<std::string> KnownLanguageTags() {
    std::vector<std::string> tags = {EnglishTag};
    tags.insert(tags.end(), std::begin(ShippedTags), std::end(ShippedTags));
    for (const ShippedCatalog& catalog : ShippedCatalogs())
        if (std::none_of(tags.begin(), tags.end(),
                         [&](const std::string& tag) { return EqualIgnoringCase(tag, catalog.tag); }))
            tags.emplace_back(catalog.tag);
    return tags;
}

std::optional<std::string> KnownTag(std::string_view written) {
    for (const std::string& tag : KnownLanguageTags())
        if (EqualIgnoringCase(tag, written)) return tag;
    return std::nullopt;
}

std::optional<std::string> NearestTag(std::string_view written) {
    const std::vector<std::string> tags = KnownLanguageTags();
    const std::string primary = PrimarySubtag(written);
    for (const std::string& tag : tags)
        if (PrimarySubtag(tag) == primary) return tag;
    return NearestName(written, tags);
}

std::string FileTagOf(const std::string& tag) {
    const std::string primary = PrimarySubtag(tag);
    return primary == "zh" ? tag : primary;
}

std::string LanguageFileName(const std::string& tag) { return "qupsetup-" + FileTagOf(tag) + ".lng"; }
