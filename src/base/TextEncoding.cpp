#include "base/TextEncoding.h"

#include <windows.h>

#include <string_view>

namespace {

// Arrays, not views: a view kept in the image is a pointer for the loader to relocate.
constexpr char Utf8Mark[] = "\xEF\xBB\xBF";
constexpr char Utf16Mark[] = "\xFF\xFE";

// The bytes in `codePage` as UTF-16; false when `flags` ask for valid input and they are not.
bool Decode(UINT codePage, DWORD flags, std::string_view bytes, std::string& utf16) {
    utf16.clear();
    const int size = static_cast<int>(bytes.size());
    const int length = MultiByteToWideChar(codePage, flags, bytes.data(), size, nullptr, 0);
    utf16.resize(static_cast<size_t>(length > 0 ? length : 0) * sizeof(wchar_t));
    return bytes.empty() ||
           (length > 0 && MultiByteToWideChar(codePage, flags, bytes.data(), size,
                                              reinterpret_cast<wchar_t*>(utf16.data()), length) == length);
}

UINT SystemAnsiCodePage() {
    DWORD codePage = 0;
    GetLocaleInfoA(LOCALE_SYSTEM_DEFAULT, LOCALE_IDEFAULTANSICODEPAGE | LOCALE_RETURN_NUMBER,
                   reinterpret_cast<char*>(&codePage), sizeof codePage / sizeof(char));
    return codePage ? codePage : 1252;
}

}  // namespace

std::string ToUtf16(const std::string& text) {
    std::string utf16;
    Decode(CP_ACP, 0, text, utf16);
    return utf16;
}

std::string FromUtf16(const std::string& utf16) {
    const auto* text = reinterpret_cast<const wchar_t*>(utf16.data());
    const int size = static_cast<int>(utf16.size() / sizeof(wchar_t));
    const int length = size ? WideCharToMultiByte(CP_ACP, 0, text, size, nullptr, 0, nullptr, nullptr) : 0;
    std::string narrow(length > 0 ? static_cast<size_t>(length) : 0, '\0');
    if (length > 0) WideCharToMultiByte(CP_ACP, 0, text, size, narrow.data(), length, nullptr, nullptr);
    return narrow;
}

std::string DecodeAuthorText(const std::string& content) {
    std::string_view bytes = content;
    std::string utf16;
    // Whole UTF-16 units: an odd last byte is no character.
    if (bytes.starts_with(Utf16Mark)) return utf16.assign(bytes.data() + 2, (bytes.size() - 2) & ~size_t{1});
    if (bytes.starts_with(Utf8Mark)) bytes.remove_prefix(sizeof Utf8Mark - 1);
    if (!Decode(CP_UTF8, MB_ERR_INVALID_CHARS, bytes, utf16)) Decode(SystemAnsiCodePage(), 0, bytes, utf16);
    return utf16;
}
