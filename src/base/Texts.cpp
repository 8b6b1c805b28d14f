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
    std::string translated;  // likewise, as UseLanguageFile left them
    const char* texts[TextCount] = {};
};

// Points `texts` at the NUL-ended texts of `all`, in order; false when they are not as many.
bool PointAt(const std::string& all, const char** texts) {
    size_t at = 0;
    for (size_t i = 0; i < TextCount; ++i) {
        if (at >= all.size()) return false;
        texts[i] = all.c_str() + at;
        at += std::strlen(texts[i]) + 1;
    }
    return at == all.size();
}

TextTable& Table() {
    static TextTable table;
    if (!table.texts[0]) {
        Packed packed;
        Appended out(table.english);
        LzmaDecoder decoder(packed);
        const bool decoded = decoder.Start(LongestTextTable) == LzmaResult::Ok &&
                             decoder.Decode(decoder.StatedSize(), &out) == LzmaResult::Ok;
        // Built in and checked by the suite: this fails only with memory that is not there.
        if (!decoded || !PointAt(table.english, table.texts))
            for (const char*& text : table.texts) text = "";
    }
    return table;
}

// One line of a language file as its text: "\n" a line break, "\\" a backslash.
std::string Unescaped(const std::string& line) {
    std::string text;
    for (size_t i = 0; i < line.size(); ++i) {
        if (line[i] == '\\' && i + 1 < line.size()) {
            ++i;
            text += line[i] == 'n' ? '\n' : line[i];
        } else if (line[i] != '\r') {
            text += line[i];
        }
    }
    return text;
}

}  // namespace

const char* Text(TextId id) { return Table().texts[static_cast<size_t>(id)]; }

std::vector<std::string> UseLanguageFile(const std::string& content, const char* name) {
    TextTable& table = Table();
    PointAt(table.english, table.texts);
    std::vector<std::string> lines;
    for (size_t at = 0; at <= content.size();) {
        size_t end = content.find('\n', at);
        if (end == std::string::npos) end = content.size();
        lines.push_back(Unescaped(content.substr(at, end - at)));
        at = end + 1;
    }
    // A last line break ends the last text; it begins none.
    if (!lines.empty() && lines.back().empty()) lines.pop_back();
    if (lines.size() != TextCount + 1 || lines[0] != FormatText("qupsetup-texts %08x", TextCatalogId))
        return {FormatText(TextId::LanguageFileForeign, name)};
    std::vector<std::string> refused;
    std::string translated;
    std::vector<size_t> used;
    for (size_t i = 0; i < TextCount; ++i) {
        if (!SamePlaceholders(table.texts[i], lines[i + 1].c_str())) {
            refused.push_back(FormatText(TextId::LanguageTextRefused, static_cast<unsigned>(i + 1), name));
            used.push_back(std::string::npos);
            continue;
        }
        used.push_back(translated.size());
        translated += lines[i + 1];
        translated += '\0';
    }
    table.translated = std::move(translated);
    for (size_t i = 0; i < TextCount; ++i)
        if (used[i] != std::string::npos) table.texts[i] = table.translated.c_str() + used[i];
    return refused;
}
