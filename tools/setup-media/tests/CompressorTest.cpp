#include <gtest/gtest.h>

#include <fstream>
#include <span>

#include "compress/SzddWriter.h"
#include "media/CompressedPool.h"
#include "shared/CompressionEdgeCases.h"
#include "support/TempTree.h"

namespace {

std::string Compressed(const std::string& content, char lastCharacter) {
    std::ostringstream out;
    const auto* bytes = reinterpret_cast<const unsigned char*>(content.data());
    EXPECT_TRUE(WriteSzdd(std::span(bytes, content.size()), lastCharacter, out));
    return out.str();
}

}  // namespace

// Every edge size, through Debian's independent expander: byte for byte, and the
// header declares the length. Compressible content must come out smaller.
TEST(Compressor, ExpandsByteForByteWithMsexpandAtEverySize) {
    TempTree folder;
    for (const auto& [name, content] : CompressionEdgeCases()) {
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
    const std::string window = RandomBytes(4078, 9);
    EXPECT_LT(Compressed(RepeatingText(200000), 0).size(), 200000u / 4);
    EXPECT_LT(Compressed(std::string(1 << 20, '\0'), 0).size(), (1u << 20) / 8);
    EXPECT_LT(Compressed(window + window, 0).size(), window.size() * 5 / 4) << "the match at the window's reach";
}

TEST(Compressor, HeaderRestoresTheReplacedLastCharacterOnly) {
    EXPECT_EQ(ReplacedCharacter("app.exe"), 'e');
    EXPECT_EQ(ReplacedCharacter("README.TXT"), 'T');
    EXPECT_EQ(ReplacedCharacter("a.b.c"), 'c');
    EXPECT_EQ(ReplacedCharacter("data.db"), '\0');
    EXPECT_EQ(ReplacedCharacter("page.html"), '\0');
    EXPECT_EQ(ReplacedCharacter("readme"), '\0');
}
