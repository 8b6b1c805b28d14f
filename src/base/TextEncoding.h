#pragma once
#include <string>
#include <string_view>

// The program holds text in its code page: UTF-8 where the platform honours the manifest,
// the system's ANSI code page on older versions. These turn it into UTF-16 for the wide calls,
// and read the files package authors write.

// Text of the program's code page as UTF-16, and back.
std::wstring ToWide(std::string_view text);
std::string FromWide(std::wstring_view text);

// The text of a file an author wrote (a setup script, a licence, a log of an earlier version):
// UTF-16 after its byte-order mark; otherwise UTF-8 (with or without its mark) when the bytes
// are valid UTF-8, else the system's ANSI code page, the one the platform uses for programs
// that are not Unicode (not the program's own, which the manifest made UTF-8).
std::wstring DecodeAuthorText(std::string_view bytes);
