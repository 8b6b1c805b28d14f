#include <gtest/gtest.h>
#include <lzma.h>

#include <algorithm>
#include <filesystem>
#include <map>

#include "base/LzmaDecoder.h"
#include "compress/LzmaEncoder.h"
#include "compress/MemoryStreams.h"
#include "compress/SettingsChoice.h"
#include "shared/CompressionEdgeCases.h"
#include "support/TempTree.h"

namespace {

std::span<const unsigned char> Bytes(const std::string& text) {
    return {reinterpret_cast<const unsigned char*>(text.data()), text.size()};
}

// What Debian's liblzma makes of a .lzma stream; nothing when it refuses it.
std::optional<std::string> LiblzmaDecoded(const std::string& stream) {
    lzma_stream coder = LZMA_STREAM_INIT;
    if (lzma_alone_decoder(&coder, UINT64_MAX) != LZMA_OK) return std::nullopt;
    std::string out;
    char buffer[1 << 16];
    coder.next_in = reinterpret_cast<const uint8_t*>(stream.data());
    coder.avail_in = stream.size();
    lzma_ret result;
    do {
        coder.next_out = reinterpret_cast<uint8_t*>(buffer);
        coder.avail_out = sizeof buffer;
        result = lzma_code(&coder, LZMA_FINISH);
        out.append(buffer, sizeof buffer - coder.avail_out);
    } while (result == LZMA_OK);
    const bool whole = result == LZMA_STREAM_END && coder.avail_in == 0;
    lzma_end(&coder);
    return whole ? std::optional(out) : std::nullopt;
}

// `content` as liblzma writes it in the .lzma layout (size unknown, closed by the end mark).
std::string LiblzmaEncoded(const std::string& content, uint32_t preset, unsigned lc, unsigned lp, unsigned pb,
                           uint32_t dictionary = 0) {
    lzma_options_lzma options;
    lzma_lzma_preset(&options, preset);
    if (dictionary) options.dict_size = dictionary;
    options.lc = lc;
    options.lp = lp;
    options.pb = pb;
    lzma_stream coder = LZMA_STREAM_INIT;
    EXPECT_EQ(lzma_alone_encoder(&coder, &options), LZMA_OK);
    std::string out(content.size() + content.size() / 2 + 1024, '\0');
    coder.next_in = reinterpret_cast<const uint8_t*>(content.data());
    coder.avail_in = content.size();
    coder.next_out = reinterpret_cast<uint8_t*>(out.data());
    coder.avail_out = out.size();
    EXPECT_EQ(lzma_code(&coder, LZMA_FINISH), LZMA_STREAM_END);
    out.resize(out.size() - coder.avail_out);
    lzma_end(&coder);
    return out;
}

struct Decoded {
    LzmaResult result = LzmaResult::Ok;
    std::string content;
};

// Our decoder on `stream`, asked for `size` bytes in pieces of `piece`, then to finish.
Decoded OurDecoded(const std::string& stream, uint64_t size, uint64_t piece, uint32_t maxDictionary = 1u << 26) {
    MemoryInput input(stream);
    MemorySink output;
    LzmaDecoder decoder(input);
    Decoded decoded{decoder.Start(maxDictionary), {}};
    for (uint64_t done = 0; decoded.result == LzmaResult::Ok && done < size; done += piece)
        decoded.result = decoder.Decode(std::min(piece, size - done), &output);
    if (decoded.result == LzmaResult::Ok) decoded.result = decoder.Finish();
    decoded.content = output.text;
    return decoded;
}

std::string SamplePackage() {
    std::string all;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(SETUP_REPO_ROOT "/examples"))
        if (entry.is_regular_file()) all += ReadFile(entry.path());
    return all;
}

// Structured binary data: records with counters and small differences, as tables in programs.
std::string Records(size_t count) {
    std::string records;
    for (uint32_t i = 0; i < count; ++i) {
        const uint32_t fields[4] = {i, i * 40503u, 0x00401000u + 16 * (i % 97), i % 7 == 0 ? 0xFFFFFFFFu : i / 3};
        records.append(reinterpret_cast<const char*>(fields), sizeof fields);
    }
    return records;
}

// Words of the licence texts the system ships, in a scrambled order, to `size` bytes: text with
// the letters' habits but few long repeats.
std::string WordsOfLicences(size_t size) {
    std::vector<std::string> words;
    for (const auto& entry : std::filesystem::directory_iterator("/usr/share/common-licenses")) {
        const std::string text = ReadFile(entry.path());
        for (size_t at = 0, end; at < text.size(); at = end + 1) {
            end = std::min(text.find_first_of(" \n", at), text.size());
            if (end > at) words.push_back(text.substr(at, end - at));
        }
    }
    std::string text;
    for (uint32_t seed = 1; text.size() < size;) {
        seed = seed * 1103515245u + 12345u;
        text += words[(seed >> 8) % words.size()] + (seed % 11 == 0 ? "\n" : " ");
    }
    return text;
}

std::map<std::string, std::string> Contents() {
    std::map<std::string, std::string> contents;
    for (const auto& [name, content] : CompressionEdgeCases()) contents[name] = content;
    contents["examples"] = SamplePackage();
    contents["records"] = Records(60000);
    contents["mixed"] = RepeatingText(30000) + RandomBytes(5000, 7) + Records(3000) + RepeatingText(30000);
    return contents;
}

}  // namespace

// What our encoder writes, Debian's liblzma reads back byte for byte, and so does our decoder;
// the same input gives the same bytes, and text comes out no larger than xz -9e makes it.
TEST(Lzma, OurStreamsDecodeWithLiblzmaAndOurs) {
    for (const auto& [name, content] : Contents()) {
        SCOPED_TRACE(name);
        const std::string stream = LzmaCompress(Bytes(content), {});
        EXPECT_EQ(stream, LzmaCompress(Bytes(content), {}));
        const std::optional<std::string> theirs = LiblzmaDecoded(stream);
        ASSERT_TRUE(theirs.has_value());
        EXPECT_TRUE(*theirs == content);
        const Decoded ours = OurDecoded(stream, content.size(), 65536);
        EXPECT_EQ(ours.result, LzmaResult::Ok);
        EXPECT_TRUE(ours.content == content);
    }
    const std::string text = RepeatingText(400000) + SamplePackage();
    EXPECT_LE(LzmaCompress(Bytes(text), {}).size(),
              LiblzmaEncoded(text, 9 | LZMA_PRESET_EXTREME, 3, 0, 2).size());
}

// Small inputs and text get contexts that code them smaller than the usual ones, and what they
// code, liblzma and our decoder read back.
TEST(Lzma, SettingsChosenForTheDataCodeSmallerAndDecode) {
    for (const std::string& content : {SamplePackage(), WordsOfLicences(2500000)}) {
        SCOPED_TRACE(content.size());
        const std::string chosen = LzmaCompress(Bytes(content), SettingsFor(Bytes(content)));
        EXPECT_LT(chosen.size(), LzmaCompress(Bytes(content), {}).size());
        const std::optional<std::string> theirs = LiblzmaDecoded(chosen);
        ASSERT_TRUE(theirs.has_value());
        EXPECT_TRUE(*theirs == content);
        EXPECT_TRUE(OurDecoded(chosen, content.size(), 65536).content == content);
    }
}

// What liblzma writes (several shapes, the end mark instead of a stated size), our decoder
// reads, however the bytes are asked for; also with the smallest dictionary, whose matches run
// across its end.
TEST(Lzma, LiblzmaStreamsDecodeWithOursInAnyPieces) {
    const std::map<std::string, std::string> contents = Contents();
    struct Shape {
        uint32_t preset;
        unsigned lc, lp, pb;
        uint32_t dictionary;
    };
    for (const Shape shape : {Shape{6, 3, 0, 2, 0}, Shape{1, 0, 2, 0, 0}, Shape{9, 4, 0, 4, 0}, Shape{3, 1, 3, 1, 0},
                              Shape{6, 3, 0, 2, 4096}}) {
        for (const char* name : {"records", "mixed", "w4097.bin", "one.bin", "empty.bin"}) {
            const std::string& content = contents.at(name);
            SCOPED_TRACE(std::string(name) + " lc" + std::to_string(shape.lc) + " lp" + std::to_string(shape.lp) +
                         " pb" + std::to_string(shape.pb) + " dictionary " + std::to_string(shape.dictionary));
            const std::string stream = LiblzmaEncoded(content, shape.preset, shape.lc, shape.lp, shape.pb, shape.dictionary);
            for (const uint64_t piece : {uint64_t{1} << 40, uint64_t{4099}, uint64_t{7}}) {
                const Decoded ours = OurDecoded(stream, content.size(), piece);
                EXPECT_EQ(ours.result, LzmaResult::Ok);
                EXPECT_TRUE(ours.content == content);
            }
        }
    }
}

// A flipped byte, a cut, a stated size larger than the stream holds, more bytes after the
// stream or a dictionary above the bound: refused, or (for a flip the coder cannot see) different
// bytes that the digest then catches; never more bytes than asked for.
TEST(Lzma, DamagedStreamsAreRefused) {
    const std::string content = RepeatingText(50000) + Records(5000);
    const std::string ours = LzmaCompress(Bytes(content), {});
    const std::string theirs = LiblzmaEncoded(content, 6, 3, 0, 2);
    for (const std::string* stream : {&ours, &theirs}) {
        for (size_t at = LzmaHeaderSize; at < stream->size(); at += stream->size() / 37) {
            std::string flipped = *stream;
            flipped[at] ^= 0x10;
            const Decoded decoded = OurDecoded(flipped, content.size(), 10000);
            EXPECT_TRUE(decoded.result == LzmaResult::Damaged || decoded.content != content) << "flip at " << at;
            EXPECT_LE(decoded.content.size(), content.size());
            EXPECT_EQ(OurDecoded(stream->substr(0, at), content.size(), 10000).result, LzmaResult::Damaged)
                << "cut at " << at;
        }
        EXPECT_EQ(OurDecoded(*stream + "x", content.size(), 10000).result, LzmaResult::Damaged);
        EXPECT_EQ(OurDecoded(*stream, content.size(), 10000, 4096).result, LzmaResult::Damaged);
    }
    // A stated size far beyond what the stream holds runs out of input.
    const uint64_t stated = content.size() + 100000;
    std::string longer = ours;
    for (int i = 0; i < 8; ++i) longer[5 + i] = static_cast<char>(stated >> (8 * i));
    EXPECT_EQ(OurDecoded(longer, stated, 10000).result, LzmaResult::Damaged);
    EXPECT_EQ(OurDecoded(ours, content.size() + 1, 10000).result, LzmaResult::Damaged) << "asked past the stated size";
    EXPECT_EQ(OurDecoded(ours.substr(0, 12), 0, 1).result, LzmaResult::Damaged) << "header cut";
}
