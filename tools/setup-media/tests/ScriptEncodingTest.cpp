#include <gtest/gtest.h>
#include <iconv.h>

#include <optional>

#include "common/TextEncoding.h"

namespace {

// What the C library's converter makes of one byte in that code page; nothing when it calls
// the byte invalid.
std::optional<std::string> SystemReading(const char* codePage, char byte) {
    const iconv_t converter = iconv_open("UTF-8", codePage);
    if (converter == reinterpret_cast<iconv_t>(-1)) return std::nullopt;
    char out[8] = {};
    char* in = &byte;
    char* to = out;
    size_t inLeft = 1, outLeft = sizeof out;
    const bool converted = iconv(converter, &in, &inLeft, &to, &outLeft) != static_cast<size_t>(-1);
    iconv_close(converter);
    if (!converted) return std::nullopt;
    return std::string(out, to);
}

}  // namespace

TEST(ScriptEncoding, CodePagesReadEveryByteAsTheSystemDoes) {
    for (const char* name : {"windows-1250", "windows-1251", "windows-1252", "windows-1253"}) {
        const std::optional<ScriptEncoding> encoding = ScriptEncodingNamed(name);
        ASSERT_TRUE(encoding) << name;
        for (int byte = 0x80; byte <= 0xFF; ++byte) {
            SCOPED_TRACE(std::string(name) + " byte " + std::to_string(byte));
            const std::optional<std::string> expected = SystemReading(name, static_cast<char>(byte));
            const DecodedText text = DecodeScript(std::string(1, static_cast<char>(byte)), *encoding);
            if (expected) {
                EXPECT_EQ(text.utf8, *expected);
                EXPECT_TRUE(text.invalidLines.empty());
            } else {
                EXPECT_EQ(text.invalidLines, std::vector<size_t>{1});
            }
        }
    }
}
