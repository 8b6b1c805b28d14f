#pragma once
#include <windows.h>

#include <string>

// Code-page text as UTF-16, for the wide calls the tests need.
inline std::wstring WideText(const std::string& text) {
    const int length = MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, nullptr, 0);
    std::wstring wide(length > 0 ? length : 1, L'\0');
    MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, wide.data(), length);
    wide.resize(length > 0 ? length - 1 : 0);
    return wide;
}

// UTF-16 text as code-page text, for messages.
inline std::string NarrowText(const std::wstring& wide) {
    const int length = WideCharToMultiByte(CP_ACP, 0, wide.c_str(), -1, nullptr, 0, nullptr, nullptr);
    std::string text(length > 0 ? length : 1, '\0');
    WideCharToMultiByte(CP_ACP, 0, wide.c_str(), -1, text.data(), length, nullptr, nullptr);
    text.resize(length > 0 ? length - 1 : 0);
    return text;
}
