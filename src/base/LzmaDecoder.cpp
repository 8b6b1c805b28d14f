#include "base/LzmaDecoder.h"

#include <cstdlib>
#include <cstring>

namespace {

constexpr unsigned ProbabilityBits = 11;
constexpr unsigned MoveBits = 5;
constexpr uint32_t TopValue = 1u << 24;
constexpr size_t InputBufferSize = 1 << 16;
// No item takes more than 48 bits (a match with the longest length and distance), and no bit more
// than one byte of input: with this much ahead, an item is decoded without a check per byte.
constexpr ptrdiff_t MaxItemInput = 64;
constexpr unsigned States = 12;
constexpr unsigned LengthCoderSize = 2 + 2 * (16 << 3) + 256;

// Where each group of probabilities starts in the one array that holds them all.
enum : unsigned {
    IsMatch = 0,
    IsRep = IsMatch + (States << 4),
    IsRepG0 = IsRep + States,
    IsRepG1 = IsRepG0 + States,
    IsRepG2 = IsRepG1 + States,
    IsRep0Long = IsRepG2 + States,
    PositionSlot = IsRep0Long + (States << 4),
    SpecialPosition = PositionSlot + (4 << 6),
    Align = SpecialPosition + 115,
    MatchLength = Align + 16,
    RepLength = MatchLength + LengthCoderSize,
    Literals = RepLength + LengthCoderSize,
};

uint64_t LittleEndian(const unsigned char* bytes, unsigned size) {
    uint64_t value = 0;
    while (size-- > 0) value = value << 8 | bytes[size];
    return value;
}

}  // namespace

LzmaDecoder::~LzmaDecoder() {
    std::free(probabilities_);
    std::free(in_);
    std::free(dictionary_);
}

[[gnu::always_inline]] inline void LzmaDecoder::Normalize() {
    if (range_ < TopValue) {
        range_ <<= 8;
        code_ = code_ << 8 | *inAt_++;
    }
}

// A bit is decoded without a branch on its value: on bytes that do not compress nothing could
// predict it.
unsigned LzmaDecoder::Bit(uint16_t& probability) {
    const uint32_t bound = (range_ >> ProbabilityBits) * probability;
    const uint32_t zero = 0u - (code_ < bound);
    range_ = range_ - bound + ((2 * bound - range_) & zero);
    code_ = code_ - bound + (bound & zero);
    // A rise rounds as a fall of the probability less 2^11 - 31 does (an arithmetic shift).
    probability -= static_cast<int32_t>(probability - (zero & ((1u << ProbabilityBits) - (1u << MoveBits) + 1))) >>
                   MoveBits;
    Normalize();
    return zero + 1;
}

// `following` is 0x100 while the bits follow those of `matched` (the byte at the last distance),
// 0 once they part or when there is none to follow.
unsigned LzmaDecoder::Literal(uint16_t* probabilities, unsigned matched, unsigned following) {
    unsigned symbol = 1;
    do {
        matched <<= 1;
        const unsigned wasFollowing = following;
        following &= matched;
        const unsigned bit = Bit(probabilities[wasFollowing + following + symbol]);
        symbol = symbol << 1 | bit;
        following ^= wasFollowing & (bit - 1);
    } while (symbol < 0x100);
    return symbol;
}

// Keeps MaxItemInput bytes of input ahead of the coder, or, once the input has ended, zeros after
// its last byte. False when the coder has read into those zeros: the stream was cut short.
bool LzmaDecoder::Refill() {
    if (!inputEnded_) {
        size_t left = static_cast<size_t>(inEnd_ - inAt_);
        std::memmove(in_, inAt_, left);
        inAt_ = in_;
        while (left < MaxItemInput) {
            const size_t read = input_.Read(in_ + left, InputBufferSize - left);
            if (read == 0) {
                inputEnded_ = true;
                std::memset(in_ + left, 0, MaxItemInput);
                break;
            }
            left += read;
        }
        inEnd_ = in_ + left;
    }
    if (inAt_ > inEnd_) damaged_ = true;
    return !damaged_;
}

unsigned LzmaDecoder::Tree(uint16_t* probabilities, unsigned bits) {
    unsigned symbol = 1;
    for (unsigned i = 0; i < bits; ++i) symbol = symbol << 1 | Bit(probabilities[symbol]);
    return symbol - (1u << bits);
}

unsigned LzmaDecoder::ReverseTree(uint16_t* probabilities, unsigned bits) {
    unsigned node = 1, symbol = 0;
    for (unsigned i = 0; i < bits; ++i) {
        const unsigned bit = Bit(probabilities[node]);
        node = node << 1 | bit;
        symbol |= bit << i;
    }
    return symbol;
}

uint32_t LzmaDecoder::DirectBits(unsigned count) {
    uint32_t result = 0;
    while (count-- > 0) {
        range_ >>= 1;
        code_ -= range_;
        const uint32_t mask = 0 - (code_ >> 31);
        code_ += range_ & mask;
        if (code_ == range_) damaged_ = true;
        Normalize();
        result = (result << 1) + (mask + 1);
    }
    return result;
}

// Lengths from 0: 8 low ones and 8 middle ones for each position state, then 256 high ones.
unsigned LzmaDecoder::Length(uint16_t* coder, unsigned posState) {
    if (!Bit(coder[0])) return Tree(coder + 2 + (posState << 3), 3);
    if (!Bit(coder[1])) return 8 + Tree(coder + 2 + (16 << 3) + (posState << 3), 3);
    return 16 + Tree(coder + 2 + 2 * (16 << 3), 8);
}

uint32_t LzmaDecoder::Distance(unsigned length) {
    const unsigned slot = Tree(probabilities_ + PositionSlot + ((length < 3 ? length : 3) << 6), 6);
    if (slot < 4) return slot;
    const unsigned bits = (slot >> 1) - 1;
    uint32_t distance = (2 | (slot & 1)) << bits;
    if (slot < 14) return distance + ReverseTree(probabilities_ + SpecialPosition + distance - slot, bits);
    distance += DirectBits(bits - 4) << 4;
    return distance + ReverseTree(probabilities_ + Align, 4);
}

// Where the byte `distance + 1` bytes before `at` is. Callers keep `distance` below the buffer's
// size, and below the bytes decoded where the byte counts.
size_t LzmaDecoder::Behind(size_t at, uint32_t distance) const {
    return at > distance ? at - distance - 1 : at + bufferSize_ - distance - 1;
}

unsigned char LzmaDecoder::ByteBack(size_t at, uint32_t distance) const { return dictionary_[Behind(at, distance)]; }

bool LzmaDecoder::Flush() {
    if (output_ && at_ > flushed_ && !output_->Write(dictionary_ + flushed_, at_ - flushed_)) outputFailed_ = true;
    flushed_ = at_;
    return !outputFailed_;
}

unsigned LzmaDecoder::Match(unsigned posState) {
    uint16_t* probabilities = probabilities_;
    unsigned length;
    if (Bit(probabilities[IsRep + state_])) {
        if (total_ == 0) {
            damaged_ = true;
            return 0;
        }
        if (!Bit(probabilities[IsRepG0 + state_])) {
            if (!Bit(probabilities[IsRep0Long + (state_ << 4) + posState])) {
                state_ = state_ < 7 ? 9 : 11;
                return 1;
            }
        } else {
            uint32_t distance;
            if (!Bit(probabilities[IsRepG1 + state_])) {
                distance = reps_[1];
            } else {
                if (!Bit(probabilities[IsRepG2 + state_])) {
                    distance = reps_[2];
                } else {
                    distance = reps_[3];
                    reps_[3] = reps_[2];
                }
                reps_[2] = reps_[1];
            }
            reps_[1] = reps_[0];
            reps_[0] = distance;
        }
        length = Length(probabilities + RepLength, posState);
        state_ = state_ < 7 ? 8 : 11;
    } else {
        reps_[3] = reps_[2];
        reps_[2] = reps_[1];
        reps_[1] = reps_[0];
        length = Length(probabilities + MatchLength, posState);
        state_ = state_ < 7 ? 7 : 10;
        reps_[0] = Distance(length);
        if (reps_[0] == 0xFFFFFFFF) return 0;
        if (reps_[0] >= total_ || reps_[0] >= dictionarySize_) {
            damaged_ = true;
            return 0;
        }
    }
    return length + 2;
}

size_t LzmaDecoder::Copy(size_t at, size_t stop) {
    size_t count = pending_ < stop - at ? pending_ : stop - at;
    pending_ -= count;
    size_t from = Behind(at, reps_[0]);
    unsigned char* const dictionary = dictionary_;
    while (count-- > 0) {
        dictionary[at++] = dictionary[from++];
        if (from == bufferSize_) from = 0;
    }
    return at;
}

void LzmaDecoder::Run(size_t stop) {
    // The position in the whole stream is `base + at` while `at` does not wrap.
    const uint64_t base = total_ - at_;
    size_t at = Copy(at_, stop);
    while (at < stop) {
        if (inEnd_ - inAt_ < MaxItemInput && !Refill()) break;
        const uint32_t position = static_cast<uint32_t>(base + at);
        const unsigned posState = position & pbMask_;
        if (!Bit(probabilities_[IsMatch + (state_ << 4) + posState])) {
            uint16_t* literal =
                probabilities_ + Literals + 0x300 * (((position & lpMask_) << lc_) + (ByteBack(at, 0) >> (8 - lc_)));
            // After a match the byte at the last distance is the likely one, bit by bit until they part.
            const bool follow = state_ >= 7;
            const unsigned byte = Literal(literal, follow ? ByteBack(at, reps_[0]) : 0, follow ? 0x100 : 0);
            dictionary_[at++] = static_cast<unsigned char>(byte);
            state_ = state_ < 4 ? 0 : state_ < 10 ? state_ - 3 : state_ - 6;
            continue;
        }
        total_ = base + at;
        pending_ = Match(posState);
        if (pending_ == 0) damaged_ = true;
        if (damaged_) break;
        at = Copy(at, stop);
    }
    at_ = at;
    total_ = base + at;
}

LzmaResult LzmaDecoder::Start(uint32_t maxDictionary) {
    unsigned char header[LzmaHeaderSize];
    for (size_t got = 0, read; got < sizeof header; got += read) {
        read = input_.Read(header + got, sizeof header - got);
        if (read == 0) return LzmaResult::Damaged;
    }
    unsigned properties = header[0];
    if (properties >= 9 * 5 * 5) return LzmaResult::Damaged;
    lc_ = properties % 9;
    properties /= 9;
    lpMask_ = (1u << (properties % 5)) - 1;
    pbMask_ = (1u << (properties / 5)) - 1;
    dictionarySize_ = static_cast<uint32_t>(LittleEndian(header + 1, 4));
    if (dictionarySize_ < 4096) dictionarySize_ = 4096;
    statedSize_ = LittleEndian(header + 5, 8);
    if (dictionarySize_ > maxDictionary) return LzmaResult::Damaged;
    // A stream of known size needs no more dictionary than its own bytes.
    bufferSize_ = statedSize_ < dictionarySize_ ? (statedSize_ > 0 ? static_cast<size_t>(statedSize_) : 1)
                                                : dictionarySize_;
    const size_t probabilityCount = Literals + (0x300u << (lc_ + properties % 5));
    const size_t inputSize = InputBufferSize + MaxItemInput;
    // Three blocks, so that a read or write past one cannot land quietly in the next.
    in_ = static_cast<unsigned char*>(std::malloc(inputSize));
    dictionary_ = static_cast<unsigned char*>(std::malloc(bufferSize_));
    if (!in_ || !dictionary_) return LzmaResult::NoMemory;
    probabilities_ = static_cast<uint16_t*>(std::malloc(probabilityCount * 2));
    if (!probabilities_) return LzmaResult::NoMemory;
    for (size_t i = 0; i < probabilityCount; ++i) probabilities_[i] = 1u << (ProbabilityBits - 1);
    // The byte before the first, as the first literal's coder sees it.
    dictionary_[bufferSize_ - 1] = 0;
    range_ = 0xFFFFFFFF;
    inAt_ = in_;
    inEnd_ = in_;
    if (!Refill()) return LzmaResult::Damaged;
    const bool zeroFirst = *inAt_ == 0;
    for (int i = 0; i < 5; ++i) code_ = code_ << 8 | *inAt_++;
    return zeroFirst && code_ != range_ && Refill() ? LzmaResult::Ok : LzmaResult::Damaged;
}

LzmaResult LzmaDecoder::Decode(uint64_t size, ByteSink* output) {
    if (!probabilities_) return LzmaResult::Damaged;
    output_ = output;
    const uint64_t end = total_ + size;
    if (end < total_ || (statedSize_ != LzmaUnknownSize && end > statedSize_)) return LzmaResult::Damaged;
    while (total_ < end && !damaged_ && !outputFailed_) {
        Run(at_ + static_cast<size_t>(end - total_ < bufferSize_ - at_ ? end - total_ : bufferSize_ - at_));
        if (at_ == bufferSize_) {
            Flush();
            at_ = flushed_ = 0;
        }
    }
    const bool flushed = Flush();
    output_ = nullptr;
    if (damaged_) return LzmaResult::Damaged;
    return flushed ? LzmaResult::Ok : LzmaResult::OutputFailed;
}

LzmaResult LzmaDecoder::Finish() {
    if (!probabilities_ || damaged_ || pending_ > 0) return LzmaResult::Damaged;
    if (statedSize_ != LzmaUnknownSize && total_ != statedSize_) return LzmaResult::Damaged;
    // A stream of known size may stop without its end mark once the coder is spent.
    if (statedSize_ == LzmaUnknownSize || code_ != 0) {
        const unsigned posState = static_cast<uint32_t>(total_) & pbMask_;
        if (!Refill() || !Bit(probabilities_[IsMatch + (state_ << 4) + posState]) || Match(posState) != 0 || damaged_)
            return LzmaResult::Damaged;
    }
    // Nothing of the input may follow.
    return code_ == 0 && Refill() && inAt_ == inEnd_ ? LzmaResult::Ok : LzmaResult::Damaged;
}
