#include "script/PackageLanguages.h"

#include <algorithm>
#include <map>
#include <optional>

#include "base/Placeholders.h"
#include "common/NearestName.h"
#include "script/ScriptRules.h"
#include "setupdata/ScriptNames.h"
#include "texts/LanguageTags.h"

namespace {

// The words of a languages= value, between commas and blanks.
std::vector<std::string> Words(const std::string& value) {
    std::vector<std::string> words;
    std::string word;
    for (const char c : value + ",") {
        if (c == ',' || c == ' ' || c == '\t') {
            if (!word.empty()) words.push_back(word);
            word.clear();
        } else {
            word += c;
        }
    }
    return words;
}

std::optional<std::string_view> CatalogContent(const std::vector<ShippedCatalog>& catalogs, const std::string& tag) {
    for (const ShippedCatalog& catalog : catalogs)
        if (catalog.tag == tag) return catalog.content;
    return std::nullopt;
}

// The UTF-8 character that begins at `at`.
std::string CharacterAt(const std::string& text, size_t at) {
    const auto lead = static_cast<unsigned char>(text[at]);
    return text.substr(at, lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 1);
}

std::string CatalogPath(const std::string& tag) { return "languages/" + tag + ".txt"; }

std::string DidYouMean(const std::optional<std::string>& nearest, const std::string& open, const std::string& close) {
    return nearest ? "; did you mean " + open + *nearest + close + "?" : "";
}

// The tag a [Messages.<tag>] section is for; empty for [Messages] itself.
std::string SectionTag(const ProfileSection& section) {
    return section.name.size() > MessagesSection.size() ? section.name.substr(MessagesSection.size() + 1) : "";
}

// The languages the script asks for, as known tags, and where it says so.
struct Request {
    std::vector<std::string> tags;
    bool named = false;  // by languages=, not by "all" or for want of the key
    size_t line = 1;
};

class LanguageReader {
public:
    LanguageReader(const ProfileText& script, const std::vector<ShippedCatalog>& catalogs, PackageLanguages& languages)
        : script_(script), catalogs_(catalogs), languages_(languages) {}

    void Read() {
        if (!ReadEnglish()) return;
        const Request request = Requested();
        languages_.line = request.line;
        for (const std::string& tag : KnownLanguageTags())
            if (std::find(request.tags.begin(), request.tags.end(), tag) != request.tags.end()) Offer(tag, request);
        ApplyMessages();
    }

private:
    bool ReadEnglish() {
        const std::optional<std::string_view> content = CatalogContent(catalogs_, EnglishTag);
        const ReadCatalog english = content ? ParseCatalog(*content) : ReadCatalog{};
        if (content && !english.fault) {
            languages_.english = english.catalog;
            return true;
        }
        Add(1, Severity::Error,
            "setup-media's English catalog is " +
                (english.fault
                     ? "damaged (line " + std::to_string(english.fault->line) + ": " + english.fault->message + ")"
                     : std::string("missing")) +
                ": it cannot write language files");
        return false;
    }

    Request Requested() {
        const ProfileEntry* entry = script_.FindEntry(PackageSection, LanguagesKey);
        Request request{KnownLanguageTags(), false, entry ? entry->line : LineOf(script_.Find(PackageSection))};
        if (!entry) return request;
        std::vector<std::string> named = {EnglishTag};
        bool all = false;
        for (const std::string& word : Words(entry->value)) {
            const std::optional<std::string> tag = KnownTag(word);
            if (EqualIgnoringCase(word, AllLanguagesValue))
                all = true;
            else if (!tag)
                Add(entry->line, Severity::Error,
                    "languages=: " + Quoted(word) + " is no language setup-media knows" +
                        DidYouMean(NearestTag(word), "", ""));
            else if (std::find(named.begin(), named.end(), *tag) != named.end() && *tag != EnglishTag)
                Add(entry->line, Severity::Warning, "languages=: " + *tag + " stands a second time");
            else if (*tag != EnglishTag)
                named.push_back(*tag);
        }
        if (all) return request;
        if (named.size() == 1 && Words(entry->value).empty())
            Add(entry->line, Severity::Warning,
                "languages= names no language: setup speaks only English (languages=en says so)");
        return {named, true, entry->line};
    }

    void Offer(const std::string& tag, const Request& request) {
        const std::optional<std::string_view> content =
            tag == EnglishTag ? std::nullopt : CatalogContent(catalogs_, tag);
        if (tag != EnglishTag && !content) {
            if (request.named)
                Add(request.line, Severity::Error,
                    "languages=: setup-media carries no catalog of " + tag + " (" + CatalogPath(tag) +
                        " was not there when it was built)");
            languages_.notCarried.push_back(tag);
            return;
        }
        const ReadCatalog read = content ? ParseCatalog(*content) : ReadCatalog{languages_.english, {}};
        const std::optional<CatalogFault> fault =
            read.fault ? read.fault : DisagreementWith(languages_.english, read.catalog);
        if (fault) {
            const std::string where = CatalogPath(tag) + (fault->line ? ":" + std::to_string(fault->line) : "");
            Add(request.line, request.named ? Severity::Error : Severity::Warning,
                "the catalog of " + tag + " is damaged (" + where + ": " + fault->message + "), so " + tag +
                    " is not offered");
            return;
        }
        OfferedLanguage offered{tag, {}, false};
        for (const CatalogText& english : languages_.english.texts)
            offered.texts.push_back(read.catalog.Find(english.name)->text);
        languages_.offered.push_back(std::move(offered));
    }

    OfferedLanguage* OfferedNamed(const std::string& tag) {
        for (OfferedLanguage& language : languages_.offered)
            if (language.tag == tag) return &language;
        return nullptr;
    }

    // [Messages] first, then each [Messages.<tag>], whose texts take the place of those.
    void ApplyMessages() {
        if (const ProfileSection* all = script_.Find(MessagesSection))
            for (const auto& [index, text] : Messages(*all))
                for (OfferedLanguage& language : languages_.offered) Replace(language, index, text);
        for (const ProfileSection& section : script_.Sections()) {
            if (!IsMessagesSection(section.name) || SectionTag(section).empty() ||
                script_.Find(section.name) != &section)
                continue;
            OfferedLanguage* language = LanguageOf(section);
            for (const auto& [index, text] : Messages(section))
                if (language) Replace(*language, index, text);
        }
    }

    static void Replace(OfferedLanguage& language, size_t index, const std::string& text) {
        language.texts[index] = text;
        language.authored = true;
    }

    // The offered language a [Messages.<tag>] section is for; nothing, with a finding, for another.
    OfferedLanguage* LanguageOf(const ProfileSection& section) {
        const std::string written = SectionTag(section);
        const std::optional<std::string> tag = KnownTag(written);
        if (!tag) {
            Add(section.line, Severity::Error,
                "[" + section.name + "]: " + Quoted(written) + " is no language setup-media knows" +
                    DidYouMean(NearestTag(written), "[Messages.", "]"));
            return nullptr;
        }
        OfferedLanguage* language = OfferedNamed(*tag);
        if (!language)
            Add(section.line, Severity::Warning,
                "[" + section.name + "]: " + *tag + " is not offered" +
                    (std::count(languages_.notCarried.begin(), languages_.notCarried.end(), *tag)
                         ? " (setup-media carries no catalog of it)"
                         : " (languages=)") +
                    ", so these texts are not used");
        return language;
    }

    // The texts of a messages section that may stand, by their index in the English catalog.
    std::map<size_t, std::string> Messages(const ProfileSection& section) {
        std::map<size_t, std::string> texts;
        std::map<size_t, size_t> firstLine;
        const std::vector<std::string> names = languages_.english.Names();
        for (const ProfileEntry& entry : section.entries) {
            const auto known = std::find_if(names.begin(), names.end(), [&](const std::string& name) {
                return EqualIgnoringCase(name, entry.name);
            });
            if (known == names.end()) {
                Add(entry.line, Severity::Warning,
                    entry.name + "= is no text setup shows, so it is not used" +
                        DidYouMean(NearestName(entry.name, names), "", "="));
                continue;
            }
            const size_t index = known - names.begin();
            if (const auto [first, isNew] = firstLine.emplace(index, entry.line); !isNew) {
                Add(entry.line, Severity::Warning,
                    entry.name + "= repeats line " + std::to_string(first->second) + ": only that one is used");
                continue;
            }
            if (const std::optional<std::string> text = Message(entry, languages_.english.texts[index]))
                texts[index] = *text;
        }
        return texts;
    }

    // The author's text of `entry`, when it takes the English text's placeholders.
    std::optional<std::string> Message(const ProfileEntry& entry, const CatalogText& english) {
        const std::string text = UnescapedText(entry.value);
        if (!SamePlaceholders(english.text.c_str(), text.c_str())) {
            Add(entry.line, Severity::Error,
                entry.name + "= takes " + PlaceholdersTold(text) + " where the English text takes " +
                    PlaceholdersTold(english.text) +
                    ": setup shows the English text for one whose placeholders differ, "
                    "in kind or order");
            return std::nullopt;
        }
        if (text.empty() && !english.text.empty())
            Add(entry.line, Severity::Warning, entry.name + "= is empty: setup shows nothing there");
        for (size_t at = entry.value.find('\\'); at != std::string::npos; at = entry.value.find('\\', at + 2))
            if (at + 1 < entry.value.size() && entry.value[at + 1] != 'n' && entry.value[at + 1] != '\\') {
                Add(entry.line, Severity::Warning,
                    entry.name + "=: a backslash before " + Quoted(CharacterAt(entry.value, at + 1)) +
                        " is left out (\\n is a line break, \\\\ a backslash)");
                break;
            }
        return text;
    }

    void Add(size_t line, Severity severity, std::string message) {
        languages_.findings.push_back({line, severity, std::move(message)});
    }

    const ProfileText& script_;
    const std::vector<ShippedCatalog>& catalogs_;
    PackageLanguages& languages_;
};

}  // namespace

bool IsMessagesSection(std::string_view name) {
    return EqualIgnoringCase(name.substr(0, MessagesSection.size()), MessagesSection) &&
           (name.size() == MessagesSection.size() || name[MessagesSection.size()] == '.');
}

bool HasLanguageFile(const OfferedLanguage& language) { return language.tag != EnglishTag || language.authored; }

PackageLanguages ReadPackageLanguages(const ProfileText& script, const std::vector<ShippedCatalog>& catalogs) {
    PackageLanguages languages;
    LanguageReader(script, catalogs, languages).Read();
    return languages;
}
