#include "common/TextEncoding.h"

#include "common/LetterCase.h"

namespace {

constexpr std::string_view Utf8ByteOrderMark = "\xEF\xBB\xBF";
constexpr std::string_view Utf16ByteOrderMark = "\xFF\xFE";
constexpr char32_t Replacement = 0xFFFD;

unsigned char Byte(std::string_view bytes, size_t at) { return static_cast<unsigned char>(bytes[at]); }

// The length of the well-formed UTF-8 sequence at `at` (no overlong forms, no surrogates,
// nothing above U+10FFFF) with its character in `c`; 0 when none stands there.
size_t Utf8SequenceAt(std::string_view bytes, size_t at, char32_t& c) {
    const unsigned char first = Byte(bytes, at);
    if (first < 0x80) {
        c = first;
        return 1;
    }
    const size_t length = first > 0xF4 ? 0 : first >= 0xF0 ? 4 : first >= 0xE0 ? 3 : first >= 0xC0 ? 2 : 0;
    if (length == 0 || at + length > bytes.size()) return 0;
    c = first & (0x7F >> length);
    for (size_t i = 1; i < length; ++i) {
        const unsigned char next = Byte(bytes, at + i);
        if ((next & 0xC0) != 0x80) return 0;
        c = c << 6 | (next & 0x3F);
    }
    constexpr char32_t Smallest[] = {0, 0, 0x80, 0x800, 0x10000};
    if (c < Smallest[length] || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) return 0;
    return length;
}

bool IsUtf8(std::string_view bytes) {
    char32_t c = 0;
    for (size_t at = 0, length = 0; at < bytes.size(); at += length)
        if ((length = Utf8SequenceAt(bytes, at, c)) == 0) return false;
    return true;
}

void AppendUtf8(std::string& out, char32_t c) {
    if (c < 0x80) {
        out += static_cast<char>(c);
        return;
    }
    const int length = c < 0x800 ? 2 : c < 0x10000 ? 3 : 4;
    constexpr unsigned char Lead[] = {0, 0, 0xC0, 0xE0, 0xF0};
    out += static_cast<char>(Lead[length] | (c >> (6 * (length - 1))));
    for (int i = length - 2; i >= 0; --i) out += static_cast<char>(0x80 | ((c >> (6 * i)) & 0x3F));
}

// The decoded text, counting lines as the script's reader does (CR LF, CR and LF each end one).
class TextBuilder {
public:
    explicit TextBuilder(std::string encodingName) { text_.encodingName = std::move(encodingName); }

    void Append(char32_t c) {
        if (c == '\r' || (c == '\n' && previous_ != '\r')) ++line_;
        previous_ = c;
        AppendUtf8(text_.utf8, c);
    }
    void AppendInvalid() {
        if (text_.invalidLines.empty() || text_.invalidLines.back() != line_) text_.invalidLines.push_back(line_);
        Append(Replacement);
    }
    DecodedText Take() { return std::move(text_); }

private:
    DecodedText text_;
    size_t line_ = 1;
    char32_t previous_ = 0;
};

DecodedText FromUtf8(std::string_view bytes) {
    if (bytes.starts_with(Utf8ByteOrderMark)) bytes.remove_prefix(Utf8ByteOrderMark.size());
    TextBuilder text("UTF-8");
    char32_t c = 0;
    for (size_t at = 0; at < bytes.size();) {
        const size_t length = Utf8SequenceAt(bytes, at, c);
        if (length == 0) {
            text.AppendInvalid();
            ++at;
        } else {
            text.Append(c);
            at += length;
        }
    }
    return text.Take();
}

DecodedText FromUtf16(std::string_view bytes) {
    if (bytes.starts_with(Utf16ByteOrderMark)) bytes.remove_prefix(Utf16ByteOrderMark.size());
    TextBuilder text("UTF-16");
    const auto unit = [&](size_t at) -> char32_t { return Byte(bytes, at) | Byte(bytes, at + 1) << 8; };
    size_t at = 0;
    for (; at + 1 < bytes.size(); at += 2) {
        const char32_t c = unit(at);
        const bool high = c >= 0xD800 && c <= 0xDBFF;
        const char32_t low = high && at + 3 < bytes.size() ? unit(at + 2) : 0;
        if (high && low >= 0xDC00 && low <= 0xDFFF) {
            text.Append(0x10000 + ((c - 0xD800) << 10) + (low - 0xDC00));
            at += 2;
        } else if (c >= 0xD800 && c <= 0xDFFF) {
            text.AppendInvalid();
        } else {
            text.Append(c);
        }
    }
    if (at < bytes.size()) text.AppendInvalid();
    return text.Take();
}

DecodedText FromCodePage(std::string_view bytes, const CodePage& page) {
    TextBuilder text(std::string(page.name));
    for (size_t at = 0; at < bytes.size(); ++at) {
        const unsigned char byte = Byte(bytes, at);
        const char32_t c = byte < 0x80 ? byte : page.upperHalf[byte - 0x80];
        if (byte >= 0x80 && c == 0)
            text.AppendInvalid();
        else
            text.Append(c);
    }
    return text.Take();
}

}  // namespace

std::optional<ScriptEncoding> ScriptEncodingNamed(std::string_view name) {
    if (EqualIgnoringCase(name, "utf-8") || EqualIgnoringCase(name, "utf8"))
        return ScriptEncoding{ScriptEncoding::Kind::Utf8};
    if (EqualIgnoringCase(name, "utf-16") || EqualIgnoringCase(name, "utf16") || EqualIgnoringCase(name, "utf-16le"))
        return ScriptEncoding{ScriptEncoding::Kind::Utf16};
    if (const CodePage* page = FindCodePage(name)) return ScriptEncoding{ScriptEncoding::Kind::CodePage, page};
    return std::nullopt;
}

DecodedText DecodeScript(std::string_view bytes, const ScriptEncoding& encoding) {
    using Kind = ScriptEncoding::Kind;
    if (bytes.starts_with(Utf16ByteOrderMark) || encoding.kind == Kind::Utf16) return FromUtf16(bytes);
    if (encoding.kind == Kind::Utf8 || (encoding.kind == Kind::Detect && IsUtf8(bytes))) return FromUtf8(bytes);
    DecodedText text = FromCodePage(bytes, *encoding.codePage);
    text.notUtf8 = encoding.kind == Kind::Detect;
    return text;
}

std::string Utf16WithByteOrderMark(std::string_view utf8) {
    std::string out(Utf16ByteOrderMark);
    const auto unit = [&out](char32_t u) {
        out += static_cast<char>(u & 0xFF);
        out += static_cast<char>(u >> 8);
    };
    char32_t c = 0;
    for (size_t at = 0, length = 0; at < utf8.size(); at += length) {
        length = Utf8SequenceAt(utf8, at, c);
        if (length == 0) {
            c = Replacement;
            length = 1;
        }
        if (c < 0x10000) {
            unit(c);
        } else {
            unit(0xD800 + ((c - 0x10000) >> 10));
            unit(0xDC00 + ((c - 0x10000) & 0x3FF));
        }
    }
    return out;
}

size_t CharacterCount(std::string_view utf8) {
    size_t count = 0;
    for (const char c : utf8)
        if ((static_cast<unsigned char>(c) & 0xC0) != 0x80) ++count;
    return count;
}
