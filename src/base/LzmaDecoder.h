#pragma once
#include <cstddef>
#include <cstdint>

#include "base/ByteSink.h"

// A streaming decoder of the LZMA format (the .lzma layout: a 13-byte header of properties,
// dictionary size and unpacked size, then the range-coded data). Its memory is the dictionary,
// the probabilities and one input buffer, each a block of its own; output leaves in pieces, never
// as a whole. Every read of the input and of the dictionary stays inside its buffer, whatever the
// stream says, so a damaged stream ends in Damaged, never outside a buffer.

// Where the compressed bytes come from: up to `size` bytes into `buffer`, 0 at the end.
class LzmaInput {
public:
    virtual size_t Read(unsigned char* buffer, size_t size) = 0;

protected:
    ~LzmaInput() = default;
};

enum class LzmaResult { Ok, Damaged, OutputFailed, NoMemory };

inline constexpr size_t LzmaHeaderSize = 13;
inline constexpr uint64_t LzmaUnknownSize = ~uint64_t{0};

class LzmaDecoder {
public:
    explicit LzmaDecoder(LzmaInput& input) : input_(input) {}
    ~LzmaDecoder();
    LzmaDecoder(const LzmaDecoder&) = delete;
    LzmaDecoder& operator=(const LzmaDecoder&) = delete;

    // Reads the header and the coder's first bytes. A dictionary above `maxDictionary` is
    // refused as damaged: its memory is never asked for.
    LzmaResult Start(uint32_t maxDictionary);
    // Decodes the next `size` bytes into `output`, or only checks them when it is null.
    LzmaResult Decode(uint64_t size, ByteSink* output);
    // After the last byte: the stream must end here (at its stated size, or with its end mark),
    // with nothing of the input left over.
    LzmaResult Finish();

    // The unpacked size the header states; LzmaUnknownSize when an end mark closes the stream.
    uint64_t StatedSize() const { return statedSize_; }

private:
    bool Refill();
    void Normalize();
    unsigned Bit(uint16_t& probability);
    // A literal's eight bits, which after a match follow those of the byte at the last distance.
    unsigned Literal(uint16_t* probabilities, unsigned matched, unsigned following);
    unsigned Tree(uint16_t* probabilities, unsigned bits);
    unsigned ReverseTree(uint16_t* probabilities, unsigned bits);
    uint32_t DirectBits(unsigned count);
    unsigned Length(uint16_t* coder, unsigned posState);
    uint32_t Distance(unsigned length);
    size_t Behind(size_t at, uint32_t distance) const;
    unsigned char ByteBack(size_t at, uint32_t distance) const;
    bool Flush();
    // Decodes what follows a match flag: the distance into reps_[0] and the match's length, 0 at
    // the end mark or when the match is damaged.
    unsigned Match(unsigned posState);
    // Repeats the bytes at the last distance, as many as the match has left, up to `stop`.
    size_t Copy(size_t at, size_t stop);
    // Decodes into the dictionary from at_ up to `stop`, which is not past its end.
    void Run(size_t stop);

    LzmaInput& input_;
    ByteSink* output_ = nullptr;
    uint16_t* probabilities_ = nullptr;
    unsigned char* dictionary_ = nullptr;
    unsigned char* in_ = nullptr;
    const unsigned char* inEnd_ = nullptr;
    bool inputEnded_ = false;
    bool damaged_ = false;
    bool outputFailed_ = false;

    const unsigned char* inAt_ = nullptr;
    uint32_t range_ = 0;
    uint32_t code_ = 0;
    unsigned lc_ = 0;
    uint32_t lpMask_ = 0;
    uint32_t pbMask_ = 0;
    uint32_t dictionarySize_ = 0;
    size_t bufferSize_ = 0;
    size_t at_ = 0;
    size_t flushed_ = 0;
    uint64_t total_ = 0;
    uint64_t statedSize_ = 0;
    unsigned state_ = 0;
    uint32_t reps_[4] = {};
    size_t pending_ = 0;
};
