#include "base/TextEncoding.h"

#include <windows.h>

namespace {

constexpr std::string_view Utf8Mark = "\xEF\xBB\xBF";
constexpr std::string_view Utf16Mark = "\xFF\xFE";
constexpr std::string_view Utf16BigEndianMark = "\xFE\xFF";

// The bytes in `codePage` as UTF-16; false when `flags` ask for valid input and they are not.
bool Decode(UINT codePage, DWORD flags, std::string_view bytes, std::wstring& text) {
    text.clear();
    if (bytes.empty()) return true;
    const int size = static_cast<int>(bytes.size());
    const int length = MultiByteToWideChar(codePage, flags, bytes.data(), size, nullptr, 0);
    if (length <= 0) return false;
    text.resize(static_cast<size_t>(length));
    return MultiByteToWideChar(codePage, flags, bytes.data(), size, text.data(), length) == length;
}

UINT SystemAnsiCodePage() {
    DWORD codePage = 0;
    GetLocaleInfoA(LOCALE_SYSTEM_DEFAULT, LOCALE_IDEFAULTANSICODEPAGE | LOCALE_RETURN_NUMBER,
                   reinterpret_cast<char*>(&codePage), sizeof codePage / sizeof(char));
    return codePage ? codePage : 1252;
}

// UTF-16 units in the byte order `bigEndian` names; an odd last byte is no character.
std::wstring FromUtf16(std::string_view bytes, bool bigEndian) {
    std::wstring text(bytes.size() / 2, L'\0');
    for (size_t i = 0; i < text.size(); ++i) {
        const auto first = static_cast<unsigned char>(bytes[2 * i]);
        const auto second = static_cast<unsigned char>(bytes[2 * i + 1]);
        text[i] = static_cast<wchar_t>(bigEndian ? first << 8 | second : second << 8 | first);
    }
    return text;
}

}  // namespace

std::wstring ToWide(std::string_view text) {
    std::wstring wide;
    Decode(CP_ACP, 0, text, wide);
    return wide;
}

std::string FromWide(std::wstring_view text) {
    if (text.empty()) return {};
    const int size = static_cast<int>(text.size());
    const int length = WideCharToMultiByte(CP_ACP, 0, text.data(), size, nullptr, 0, nullptr, nullptr);
    std::string narrow(length > 0 ? static_cast<size_t>(length) : 0, '\0');
    WideCharToMultiByte(CP_ACP, 0, text.data(), size, narrow.data(), length, nullptr, nullptr);
    return narrow;
}

std::wstring DecodeAuthorText(std::string_view bytes) {
    if (bytes.starts_with(Utf16Mark)) return FromUtf16(bytes.substr(2), false);
    if (bytes.starts_with(Utf16BigEndianMark)) return FromUtf16(bytes.substr(2), true);
    if (bytes.starts_with(Utf8Mark)) bytes.remove_prefix(Utf8Mark.size());
    std::wstring text;
    if (!Decode(CP_UTF8, MB_ERR_INVALID_CHARS, bytes, text)) Decode(SystemAnsiCodePage(), 0, bytes, text);
    return text;
}
