#pragma once
#include <string>

// The program holds text in its code page: UTF-8 where the platform honours the manifest,
// the system's ANSI code page on older versions. These turn it into UTF-16 for the wide calls,
// and read the files package authors write.
//
// UTF-16 text is held as its bytes, little-endian, as a file holds it: in the program's one
// string type, which keeps the program small. WideChars() and WideLength() lend it to a wide
// call that takes a length (it is not ended by a wide zero).

// Text of the program's code page as UTF-16, and back.
std::string ToUtf16(const std::string& text);
std::string FromUtf16(const std::string& utf16);

inline const wchar_t* WideChars(const std::string& utf16) { return reinterpret_cast<const wchar_t*>(utf16.c_str()); }
inline int WideLength(const std::string& utf16) { return static_cast<int>(utf16.size() / sizeof(wchar_t)); }

// The text of a file an author wrote (a setup script, a licence, a log of an earlier version),
// as UTF-16: the file's own after its (little-endian) byte-order mark; otherwise UTF-8 (with or without its
// mark) when the bytes are valid UTF-8, else the system's ANSI code page, the one the platform
// uses for programs that are not Unicode (not the program's own, which the manifest made UTF-8).
std::string DecodeAuthorText(const std::string& bytes);
