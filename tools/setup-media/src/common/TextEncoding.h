#pragma once
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "common/CodePages.h"

// How the bytes of a script are turned into text: the way setup turns them into the UTF-16 copy
// it reads.
struct ScriptEncoding {
    enum class Kind { Detect, Utf8, Utf16, CodePage };
    Kind kind = Kind::Detect;
    const CodePage* codePage = &DefaultCodePage();  // for CodePage, and for Detect when not UTF-8
};

// "utf-8", "utf-16", "windows-1250" to "windows-1253" (or "cp1252"), any case; nothing for an
// encoding this tool does not know.
std::optional<ScriptEncoding> ScriptEncodingNamed(std::string_view name);

struct DecodedText {
    std::string utf8;                 // the text; line ends as written, a byte-order mark dropped
    std::string encodingName;         // what it was read as: "UTF-8", "UTF-16", "windows-1252", ...
    bool notUtf8 = false;             // read in the code page because it was not UTF-8
    std::vector<size_t> invalidLines;  // lines (from 1) holding bytes invalid in that encoding, each once
};

// A text with a UTF-16LE byte-order mark is read as UTF-16 whatever `encoding` says. Otherwise
// Detect reads valid UTF-8 (a byte-order mark dropped) as UTF-8 and anything else in the
// code page. Bytes invalid in the encoding read as U+FFFD.
DecodedText DecodeScript(std::string_view bytes, const ScriptEncoding& encoding);

// The text in UTF-16LE after a byte-order mark, as the profile functions read Unicode files.
std::string Utf16WithByteOrderMark(std::string_view utf8);

// Characters, not bytes, of a UTF-8 text.
size_t CharacterCount(std::string_view utf8);
