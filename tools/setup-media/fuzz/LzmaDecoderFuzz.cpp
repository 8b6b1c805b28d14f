// setup.exe's LZMA decoder (src/base/LzmaDecoder.cpp) on mutated streams. Input: a byte that
// shapes the short reads the decoder is given, a byte that shapes the pieces it is asked for,
// then the stream. The decoder's dictionary, probabilities and input buffer are blocks of their
// own, so the address sanitizer sees a step outside any of them; the seeds' dictionaries are
// smaller than their data, so the dictionary wraps. A piece decoded without complaint must have
// handed over exactly the bytes asked for.
#include <algorithm>
#include <cstdlib>
#include <string_view>

#include "base/LzmaDecoder.h"

namespace {

// The largest dictionary this target lets a stream have: enough for every seed, small enough
// for many runs a second.
constexpr uint32_t MaxDictionary = 1u << 20;
// What one input may unpack to at most.
constexpr uint64_t MaxOutput = 1u << 22;

// Short reads of sizes `shape` chooses, as a file may give them.
class ChoppedInput : public LzmaInput {
public:
    ChoppedInput(std::string_view bytes, unsigned shape) : bytes_(bytes), shape_(shape) {}
    size_t Read(unsigned char* buffer, size_t size) override {
        const size_t most = shape_ == 0 ? size : 1 + (count_++ * 7919 + shape_) % (shape_ * 16);
        const size_t taken = std::min({size, bytes_.size() - at_, most});
        std::copy_n(bytes_.data() + at_, taken, buffer);
        at_ += taken;
        return taken;
    }

private:
    std::string_view bytes_;
    unsigned shape_;
    size_t at_ = 0;
    size_t count_ = 0;
};

class CountingSink : public ByteSink {
public:
    bool Write(const unsigned char* bytes, size_t size) override {
        // Every byte handed over is read, so a read outside the dictionary shows.
        for (size_t i = 0; i < size; ++i) sum += bytes[i];
        written += size;
        return true;
    }
    uint64_t written = 0;
    unsigned sum = 0;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 2) return 0;
    ChoppedInput input({reinterpret_cast<const char*>(data) + 2, size - 2}, data[0]);
    CountingSink output;
    LzmaDecoder decoder(input);
    LzmaResult result = decoder.Start(MaxDictionary);
    if (result != LzmaResult::Ok) return 0;
    const uint64_t asked = std::min(decoder.StatedSize(), MaxOutput);
    const uint64_t piece = data[1] == 0 ? asked : 1 + uint64_t{data[1]} * data[1] * 3;
    for (uint64_t done = 0; result == LzmaResult::Ok && done < asked;) {
        const uint64_t next = std::min(asked - done, piece);
        result = decoder.Decode(next, &output);
        done += next;
        if (result == LzmaResult::Ok && output.written != done) std::abort();
    }
    if (result == LzmaResult::Ok && asked == decoder.StatedSize()) result = decoder.Finish();
    if (output.written > asked) std::abort();
    return 0;
}
