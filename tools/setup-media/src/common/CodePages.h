#pragma once
#include <string_view>

// A single-byte Windows code page: bytes below 0x80 are ASCII, the upper half maps through a
// table, where 0 marks a byte the code page leaves undefined.
struct CodePage {
    std::string_view name;  // "windows-1252"
    std::u16string_view upperHalf;  // 128 characters
};

// The code page of that name ("windows-1252" or "cp1252", any case); nothing for another name.
const CodePage* FindCodePage(std::string_view name);

// What a script that is not UTF-8 is read as unless the author names another.
const CodePage& DefaultCodePage();
