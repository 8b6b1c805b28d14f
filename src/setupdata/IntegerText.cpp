#include "setupdata/IntegerText.h"

namespace {

constexpr int64_t LargestDecimal = 2147483647;
constexpr size_t MaxHexDigits = 8;

bool IsDecimalDigit(char c) { return c >= '0' && c <= '9'; }

int HexDigitValue(char c) {
    if (IsDecimalDigit(c)) return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// Length of the hexadecimal prefix at `pos` ("$", "x", "X", "0x", "0X"), or 0 when there is none.
size_t HexPrefixLength(const std::string& text, size_t pos) {
    const char first = text[pos];
    if (first == '$' || first == 'x' || first == 'X') return 1;
    const char second = pos + 1 < text.size() ? text[pos + 1] : '\0';
    if (first == '0' && (second == 'x' || second == 'X')) return 2;
    return 0;
}

std::optional<int32_t> ParseHexDigits(const std::string& text, size_t pos) {
    if (pos == text.size()) return std::nullopt;
    uint32_t value = 0;
    size_t significant = 0;
    for (; pos < text.size(); ++pos) {
        const int digit = HexDigitValue(text[pos]);
        if (digit < 0) return std::nullopt;
        if (significant > 0 || digit != 0) ++significant;
        if (significant > MaxHexDigits) return std::nullopt;
        value = value << 4 | static_cast<uint32_t>(digit);
    }
    // Eight digits are a 32-bit pattern: FFFFFFFF is -1.
    return static_cast<int32_t>(value);
}

std::optional<int32_t> ParseSignedDecimal(const std::string& text, size_t pos) {
    bool negative = false;
    if (text[pos] == '+' || text[pos] == '-') {
        negative = text[pos] == '-';
        ++pos;
    }
    if (pos == text.size()) return std::nullopt;
    int64_t value = 0;
    for (; pos < text.size(); ++pos) {
        if (!IsDecimalDigit(text[pos])) return std::nullopt;
        value = value * 10 + (text[pos] - '0');
        if (value > LargestDecimal) return std::nullopt;
    }
    return static_cast<int32_t>(negative ? -value : value);
}

}  // namespace

std::optional<int32_t> ParseIntegerText(const std::string& text) {
    size_t pos = text.find_first_not_of(' ');
    if (pos == std::string::npos) return std::nullopt;
    const size_t prefix = HexPrefixLength(text, pos);
    if (prefix > 0) return ParseHexDigits(text, pos + prefix);
    return ParseSignedDecimal(text, pos);
}
