#include <gtest/gtest.h>

#include <fstream>
#include <span>

#include "compress/SzddWriter.h"
#include "media/CompressedPool.h"
#include "support/TempTree.h"

namespace {

std::string Compressed(const std::string& content, char lastCharacter) {
    std::ostringstream out;
    const auto* bytes = reinterpret_cast<const unsigned char*>(content.data());
    EXPECT_TRUE(WriteSzdd(std::span(bytes, content.size()), lastCharacter, out));
    return out.str();
}

std::string SampleText() {
    std::string text;
    for (int line = 0; text.size() < 200000; ++line)
        text += "Line " + std::to_string(line) + ": the quick brown fox jumps over the lazy dog, " +
                std::to_string(line * 7919 % 1000) + " times.\r\n";
    return text;
}

struct RoundTrip {
    const char* name;
    std::string content;
};

}  // namespace

// Every size the issue names, through Debian's independent expander: byte for byte, and the
// header declares the length. Compressible content must come out smaller.
TEST(Compressor, ExpandsByteForByteWithMsexpandAtEverySize) {
    const std::string window = RandomBytes(4078, 9);
    const std::vector<RoundTrip> cases = {
        {"empty", ""},
        {"1 byte", "x"},
        {"15 bytes", "fifteen bytes.."},
        {"16 bytes", RandomBytes(16, 1)},
        {"4,095 bytes", RandomBytes(4095, 2)},
        {"4,096 bytes", std::string(4096, ' ')},
        {"4,097 bytes", RandomBytes(4097, 3)},
        {"1 MB of zeros", std::string(1 << 20, '\0')},
        {"1 MB random", RandomBytes(1 << 20, 4)},
        {"text", SampleText()},
        {"a match at the window's reach", window + window},
    };
    TempTree folder;
    for (const auto& [name, content] : cases) {
        SCOPED_TRACE(name);
        const std::string compressed = Compressed(content, 't');
        ASSERT_GE(compressed.size(), 14u);
        EXPECT_EQ(compressed.substr(0, 4), "SZDD");
        EXPECT_EQ(compressed[9], 't');
        const uint32_t declared = static_cast<unsigned char>(compressed[10]) |
                                  static_cast<unsigned char>(compressed[11]) << 8 |
                                  static_cast<unsigned char>(compressed[12]) << 16 |
                                  static_cast<uint32_t>(static_cast<unsigned char>(compressed[13])) << 24;
        EXPECT_EQ(declared, content.size());
        WriteFile(folder / "file._", compressed);
        const Expanded expanded = ExpandWithMsexpand(folder / "file._");
        EXPECT_TRUE(expanded.ok);
        EXPECT_TRUE(expanded.content == content) << "expanded to " << expanded.content.size() << " bytes";
    }
    EXPECT_LT(Compressed(SampleText(), 0).size(), SampleText().size() / 4);
    EXPECT_LT(Compressed(std::string(1 << 20, '\0'), 0).size(), (1u << 20) / 8);
    EXPECT_LT(Compressed(window + window, 0).size(), window.size() * 5 / 4);
}

TEST(Compressor, HeaderRestoresTheReplacedLastCharacterOnly) {
    EXPECT_EQ(ReplacedCharacter("app.exe"), 'e');
    EXPECT_EQ(ReplacedCharacter("README.TXT"), 'T');
    EXPECT_EQ(ReplacedCharacter("a.b.c"), 'c');
    EXPECT_EQ(ReplacedCharacter("data.db"), '\0');
    EXPECT_EQ(ReplacedCharacter("page.html"), '\0');
    EXPECT_EQ(ReplacedCharacter("readme"), '\0');
}
