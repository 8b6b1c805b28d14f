#include "FuzzedOneFile.h"

#include "base/ContentDigest.h"
#include "base/LzmaDecoder.h"
#include "compress/MemoryStreams.h"
#include "fsutil/PayloadFormat.h"
#include "media/BuildError.h"
#include "media/LittleEndian.h"
#include "media/OneFile.h"
#include "media/PeImage.h"
#include "support/StandInProgram.h"

namespace {

// An index longer than this is left as the stream's raw bytes: its digest then fails.
constexpr uint32_t MaxFuzzedIndex = 1 << 16;

// The first `length` bytes the stream unpacks to, or its raw bytes when it cannot give them.
std::string IndexOf(const std::string& stream, uint32_t length) {
    MemoryInput input(stream);
    LzmaDecoder decoder(input);
    MemorySink index;
    if (length <= MaxFuzzedIndex && decoder.Start(MaxPayloadDictionary) == LzmaResult::Ok &&
        decoder.Decode(length, &index) == LzmaResult::Ok)
        return index.text;
    return stream.substr(0, length);
}

FuzzedOneFile Sealed(const std::string& input) {
    if (input.size() < 4) return {};
    const std::string stream = input.substr(4);
    const std::string index = IndexOf(stream, LittleEndian32(input, 0));
    return {SealOneFile(FuzzedProgram(), index, stream), index, true};
}

FuzzedOneFile Raw(std::string file) {
    const std::optional<PeLayout> layout = ReadPeLayout(file);
    if (layout && Within(layout->imageEnd, PayloadHeaderSize, file.size())) {
        const size_t tag = file.substr(0, layout->imageEnd).find(std::string(SlotTag, sizeof SlotTag));
        if (tag != std::string::npos && Within(tag + sizeof SlotTag, DigestTextSize, layout->imageEnd))
            file.replace(tag + sizeof SlotTag, DigestTextSize, ContentDigest(file.substr(layout->imageEnd, PayloadHeaderSize)));
    }
    return {file, {}, false};
}

}  // namespace

const std::string& FuzzedProgram() {
    static const std::string program = StandInProgram("fuzzed setup program");
    return program;
}

FuzzedOneFile OneFileOfInput(const uint8_t* data, size_t size) {
    if (size == 0) return {};
    const std::string rest(reinterpret_cast<const char*>(data) + 1, size - 1);
    if (data[0] == 0) return Sealed(rest);
    if (data[0] == 1) return Raw(rest);
    return {};
}

std::string SealedInputOf(const std::string& file) {
    const size_t header = StandInImageSize;
    std::string input(5, '\0');
    PutLittleEndian(input, 1, LittleEndian64(file, header + IndexLengthAt), 4);
    return input + file.substr(header + PayloadHeaderSize, LittleEndian64(file, header + StreamLengthAt));
}

std::string RawInputOf(const std::string& file) { return '\x01' + file; }
