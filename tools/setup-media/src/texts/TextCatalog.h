#pragma once
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// A catalog of texts by name (languages/<tag>.txt, or the author's [Messages]): UTF-8 lines
// NAME=TEXT, where NAME is a capital letter and letters or digits; in TEXT "\n" is a line break and
// a backslash takes the next character as it is ("\\" a backslash). Empty lines and lines starting
// with ";" are comments.

struct CatalogText {
    std::string name;
    std::string text;  // unescaped
    size_t line = 0;   // from 1
};

struct TextCatalog {
    std::vector<CatalogText> texts;  // in the file's order

    const CatalogText* Find(std::string_view name) const;
    std::vector<std::string> Names() const;
};

// What is wrong with a catalog, at a line of it (0 for the catalog as a whole).
struct CatalogFault {
    size_t line = 0;
    std::string message;
};

struct ReadCatalog {
    TextCatalog catalog;
    std::optional<CatalogFault> fault;  // the first line that cannot be read; the catalog holds those before it
};

ReadCatalog ParseCatalog(std::string_view content);

// A text as a catalog writes it, unescaped.
std::string UnescapedText(std::string_view written);

// Where a translation does not stand for `english`: a name English has not, one it lacks, or a
// text whose placeholders are not English's (in their order). Nothing when it agrees.
std::optional<CatalogFault> DisagreementWith(const TextCatalog& english, const TextCatalog& translation);

// The placeholders of `text` as they are written, with blanks between ("%s %d"), or "no placeholder".
std::string PlaceholdersTold(const std::string& text);
