#include "texts/LanguageFile.h"

#include <cstdio>

#include "base/Crc32.h"

namespace {

std::string Escaped(const std::string& text) {
    std::string line;
    for (const char c : text) {
        if (c == '\n')
            line += "\\n";
        else if (c == '\\')
            line += "\\\\";
        else if (c != '\r')
            line += c;
    }
    return line;
}

}  // namespace

uint32_t CatalogIdentity(const TextCatalog& english) {
    std::string names;
    for (const CatalogText& text : english.texts) names += (names.empty() ? "" : "\n") + text.name;
    return Crc32(0, names.data(), names.size());
}

std::string LanguageFileText(const TextCatalog& english, const std::vector<std::string>& texts) {
    char header[32];
    std::snprintf(header, sizeof header, "qupsetup-texts %08x\n", static_cast<unsigned>(CatalogIdentity(english)));
    std::string file = header;
    for (const std::string& text : texts) file += Escaped(text) + "\n";
    return file;
}
