#include <gtest/gtest.h>

#include <cstdlib>

#include "common/Sha1.h"
#include "compress/SzddReader.h"
#include "compress/SzddWriter.h"
#include "shared/CompressionEdgeCases.h"
#include "support/TempTree.h"

namespace fs = std::filesystem;

// Every edge size of a block (55, 56 and 64 bytes need a second block for the length), fed whole
// and in uneven pieces, against Debian's sha1sum.
TEST(Sha1, IsTheDigestSha1sumGives) {
    TempTree folder;
    const std::pair<const char*, std::string> cases[] = {
        {"empty", ""},           {"abc", "abc"},
        {"55", std::string(55, 'a')}, {"56", std::string(56, 'b')},
        {"63", RandomBytes(63, 4)},    {"64", RandomBytes(64, 5)},
        {"65", RandomBytes(65, 6)},    {"megabyte", RandomBytes(1 << 20, 7)},
    };
    for (const auto& [name, content] : cases) {
        SCOPED_TRACE(name);
        WriteFile(folder / name, content);
        const std::string expected = Sha1sum(folder / name);
        ASSERT_EQ(expected.size(), 40u);
        EXPECT_EQ(Sha1Of(content), expected);
        Sha1 pieces;
        for (size_t at = 0, size = 1; at < content.size(); at += size, size = size * 3 % 97 + 1)
            pieces.Add(std::string_view(content).substr(at, size));
        EXPECT_EQ(pieces.Finish(), expected);
    }
}

// Files Debian's mscompress made, which no code of ours wrote, expand byte for byte; so do ours.
// (mscompress itself corrupts files under 16 bytes, which are left out of its half.)
TEST(SzddReader, ExpandsWhatMscompressAndOurWriterMake) {
    TempTree folder;
    for (const auto& [name, content] : CompressionEdgeCases()) {
        SCOPED_TRACE(name);
        std::ostringstream ours;
        const auto* bytes = reinterpret_cast<const unsigned char*>(content.data());
        ASSERT_TRUE(WriteSzdd({bytes, content.size()}, 'n', ours));
        EXPECT_TRUE(ReadSzdd(ours.str()) == content);
        if (content.size() < 16) continue;
        WriteFile(folder / name, content);
        ASSERT_EQ(std::system(("mscompress '" + (folder / name).string() + "'").c_str()), 0);
        const std::optional<std::string> expanded = ReadSzdd(ReadFile(folder / (std::string(name) + "_")));
        ASSERT_TRUE(expanded);
        EXPECT_TRUE(*expanded == content) << expanded->size() << " bytes";
    }
}

// What the expansion library would quietly cut short is refused, and so is a header that claims
// more than any body of its size holds, before room is taken for it.
TEST(SzddReader, RefusesCutFilesAndImpossibleLengths) {
    const std::string content = RepeatingText(20000);
    std::ostringstream out;
    ASSERT_TRUE(WriteSzdd({reinterpret_cast<const unsigned char*>(content.data()), content.size()}, 't', out));
    const std::string whole = out.str();
    std::string claimsMore = whole.substr(0, 14) + "\xFF";
    claimsMore[13] = '\x7F';
    const std::pair<const char*, std::string> cases[] = {
        {"cut by one byte", whole.substr(0, whole.size() - 1)},
        {"header only", whole.substr(0, 14)},
        {"2 GB declared", claimsMore},
        {"no mark", "plain text, not compressed at all"},
    };
    for (const auto& [name, file] : cases) EXPECT_FALSE(ReadSzdd(file)) << name;
    EXPECT_TRUE(IsSzdd(whole));
    EXPECT_FALSE(IsSzdd("plain text"));
}
