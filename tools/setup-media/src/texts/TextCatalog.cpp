#include "texts/TextCatalog.h"

#include <algorithm>
#include <set>

#include "base/Placeholders.h"
#include "common/TextEncoding.h"
#include "common/TextLines.h"

namespace {

bool IsTextName(std::string_view name) {
    const auto letterOrDigit = [](char c) {
        return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9');
    };
    return !name.empty() && name[0] >= 'A' && name[0] <= 'Z' && std::all_of(name.begin(), name.end(), letterOrDigit);
}

}  // namespace

const CatalogText* TextCatalog::Find(std::string_view name) const {
    const auto found =
        std::find_if(texts.begin(), texts.end(), [&](const CatalogText& text) { return text.name == name; });
    return found == texts.end() ? nullptr : &*found;
}

std::vector<std::string> TextCatalog::Names() const {
    std::vector<std::string> names;
    for (const CatalogText& text : texts) names.push_back(text.name);
    return names;
}

std::string UnescapedText(std::string_view written) {
    std::string text;
    for (size_t i = 0; i < written.size(); ++i) {
        if (written[i] == '\\' && i + 1 < written.size()) {
            ++i;
            text += written[i] == 'n' ? '\n' : written[i];
        } else {
            text += written[i];
        }
    }
    return text;
}

ReadCatalog ParseCatalog(std::string_view content) {
    ReadCatalog read;
    const DecodedText decoded = DecodeScript(content, {ScriptEncoding::Kind::Utf8});
    const size_t firstInvalid = decoded.invalidLines.empty() ? 0 : decoded.invalidLines.front();
    std::set<std::string> seen;
    size_t number = 0;
    for (const std::string_view line : TextLines(decoded.utf8)) {
        ++number;
        if (number == firstInvalid) {
            read.fault = CatalogFault{number, "bytes here are not UTF-8"};
            return read;
        }
        if (line.empty() || line.starts_with(';')) continue;
        const size_t equals = line.find('=');
        const std::string_view name = line.substr(0, equals);
        if (equals == std::string_view::npos || !IsTextName(name)) {
            read.fault = CatalogFault{number, "not NAME=TEXT (a name is a capital letter, then letters and digits)"};
            return read;
        }
        if (!seen.insert(std::string(name)).second) {
            read.fault = CatalogFault{number, std::string(name) + " stands a second time"};
            return read;
        }
        read.catalog.texts.push_back({std::string(name), UnescapedText(line.substr(equals + 1)), number});
    }
    return read;
}

std::string PlaceholdersTold(const std::string& text) {
    const std::string list = PlaceholderList(text.c_str());
    return list.empty() ? "no placeholder" : list;
}

std::optional<CatalogFault> DisagreementWith(const TextCatalog& english, const TextCatalog& translation) {
    for (const CatalogText& text : translation.texts) {
        const CatalogText* original = english.Find(text.name);
        if (!original) return CatalogFault{text.line, text.name + " is no text of the English catalog"};
        if (!SamePlaceholders(original->text.c_str(), text.text.c_str()))
            return CatalogFault{text.line, text.name + " takes " + PlaceholdersTold(text.text) +
                                               " where English takes " + PlaceholdersTold(original->text)};
    }
    for (const CatalogText& text : english.texts)
        if (!translation.Find(text.name)) return CatalogFault{0, text.name + " is missing"};
    return std::nullopt;
}
