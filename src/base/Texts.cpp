#include "base/Texts.h"

#include <algorithm>
#include <cstring>

#include "base/ByteSink.h"
#include "base/FormatText.h"
#include "base/LzmaDecoder.h"

namespace {

// The English texts, each ended by a NUL, packed: they are a twentieth of the program.
const unsigned char EnglishTexts[] = {
#include "base/EnglishTexts.inc"
};
constexpr size_t TextCount = static_cast<size_t>(TextId::Count);
constexpr uint32_t LongestTextTable = 1 << 16;

class Packed final : public LzmaInput {
public:
    size_t Read(unsigned char* buffer, size_t size) override {
        const size_t count = std::min(size, sizeof EnglishTexts - at_);
        std::memcpy(buffer, EnglishTexts + at_, count);
        at_ += count;
        return count;
    }

private:
    size_t at_ = 0;
};

class Appended final : public ByteSink {
public:
    explicit Appended(std::string& text) : text_(text) {}
    bool Write(const unsigned char* bytes, size_t size) override {
        text_.append(reinterpret_cast<const char*>(bytes), size);
        return true;
    }

private:
    std::string& text_;
};

struct TextTable {
    std::string english;     // each text ended by a NUL
    std::string translated;  // a language file's lines, each ended by a NUL, as UseLanguageFile left them
    const char* texts[TextCount] = {};
};

// Points `texts` at the `count` NUL-ended texts of `all`, in order; false when they are not as many.
bool PointAt(const std::string& all, const char** texts, size_t count) {
    size_t at = 0;
    for (size_t i = 0; i < count; ++i) {
        if (at >= all.size()) return false;
        texts[i] = all.c_str() + at;
        at += std::strlen(texts[i]) + 1;
    }
    return at == all.size();
}

TextTable& Table() {
    // Never destroyed: no exit routine for what the end of the process releases anyway.
    static TextTable& table = *new TextTable;
    if (!table.texts[0]) {
        Packed packed;
        Appended out(table.english);
        LzmaDecoder decoder(packed);
        const bool decoded = decoder.Start(LongestTextTable) == LzmaResult::Ok &&
                             decoder.Decode(EnglishTextsSize, &out) == LzmaResult::Ok;
        // Built in and checked by the suite: this fails only with memory that is not there.
        if (!decoded || !PointAt(table.english, table.texts, TextCount))
            for (const char*& text : table.texts) text = "";
    }
    return table;
}

}  // namespace

// Called, not copied in: a text's number and a call are smaller than the table's look-up at each of
// the many places that show a text.
[[gnu::noinline]] const char* Text(TextId id) { return Table().texts[static_cast<size_t>(id)]; }

std::vector<std::string> UseLanguageFile(const std::string& content, const char* name) {
    TextTable& table = Table();
    PointAt(table.english, table.texts, TextCount);
    // Each line unescaped and ended by a NUL, as the English texts are: its header, then its texts.
    // A tab ends a line too: the log keeps a language file as one value, its lines joined by tabs.
    std::string& lines = table.translated;
    lines.clear();
    for (const char* c = content.c_str(); *c; ++c) {
        if (*c == '\n' || *c == '\t')
            lines += '\0';
        else if (*c == '\\' && c[1])
            lines += *++c == 'n' ? '\n' : *c;
        else if (*c != '\r')
            lines += *c;
    }
    if (!lines.empty() && lines.back() != '\0') lines += '\0';
    const char* texts[TextCount + 1];
    if (!PointAt(lines, texts, TextCount + 1) || FormatText("qupsetup-texts %08x", TextCatalogId) != texts[0])
        return {FormatText(TextId::LanguageFileForeign, name)};
    std::vector<std::string> refused;
    for (size_t i = 0; i < TextCount; ++i) {
        if (SamePlaceholders(table.texts[i], texts[i + 1]))
            table.texts[i] = texts[i + 1];
        else
            refused.push_back(FormatText(TextId::LanguageTextRefused, static_cast<unsigned>(i + 1), name));
    }
    return refused;
}
