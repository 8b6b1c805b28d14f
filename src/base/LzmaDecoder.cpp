#include "base/LzmaDecoder.h"

#include <cstdlib>

namespace {

constexpr unsigned ProbabilityBits = 11;
constexpr unsigned MoveBits = 5;
constexpr uint32_t TopValue = 1u << 24;
constexpr size_t InputBufferSize = 1 << 16;
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

LzmaDecoder::~LzmaDecoder() { std::free(memory_); }

unsigned char LzmaDecoder::NextByte() {
    if (inAt_ == inEnd_) {
        inAt_ = 0;
        inEnd_ = inputEnded_ ? 0 : input_.Read(in_, InputBufferSize);
        if (inEnd_ == 0) {
            // A stream cut short: the coder goes on with zeros until the caller hears of it.
            inputEnded_ = damaged_ = true;
            return 0;
        }
    }
    return in_[inAt_++];
}

void LzmaDecoder::Normalize() {
    if (range_ < TopValue) {
        range_ <<= 8;
        code_ = code_ << 8 | NextByte();
    }
}

unsigned LzmaDecoder::Bit(uint16_t& probability) {
    const uint32_t bound = (range_ >> ProbabilityBits) * probability;
    unsigned bit;
    if (code_ < bound) {
        range_ = bound;
        probability += ((1u << ProbabilityBits) - probability) >> MoveBits;
        bit = 0;
    } else {
        range_ -= bound;
        code_ -= bound;
        probability -= probability >> MoveBits;
        bit = 1;
    }
    Normalize();
    return bit;
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

// Callers keep `distance` below both the bytes decoded and the buffer's size.
unsigned char LzmaDecoder::ByteBack(uint32_t distance) const {
    return dictionary_[at_ > distance ? at_ - distance - 1 : at_ + bufferSize_ - distance - 1];
}

void LzmaDecoder::Put(unsigned char byte) {
    dictionary_[at_++] = byte;
    ++total_;
    if (at_ == bufferSize_) {
        Flush();
        at_ = flushed_ = 0;
    }
}

bool LzmaDecoder::Flush() {
    if (output_ && at_ > flushed_ && !output_->Write(dictionary_ + flushed_, at_ - flushed_)) outputFailed_ = true;
    flushed_ = at_;
    return !outputFailed_;
}

void LzmaDecoder::Literal() {
    const unsigned previous = total_ == 0 ? 0 : ByteBack(0);
    uint16_t* coder =
        probabilities_ + Literals + 0x300 * (((static_cast<uint32_t>(total_) & lpMask_) << lc_) + (previous >> (8 - lc_)));
    unsigned symbol = 1;
    // After a match the byte at the last distance is the likely one, bit by bit until they part.
    if (state_ >= 7) {
        unsigned matched = ByteBack(reps_[0]);
        while (symbol < 0x100) {
            const unsigned matchedBit = matched >> 7 & 1;
            matched <<= 1;
            const unsigned bit = Bit(coder[((1 + matchedBit) << 8) + symbol]);
            symbol = symbol << 1 | bit;
            if (bit != matchedBit) break;
        }
    }
    while (symbol < 0x100) symbol = symbol << 1 | Bit(coder[symbol]);
    Put(static_cast<unsigned char>(symbol));
    state_ = state_ < 4 ? 0 : state_ < 10 ? state_ - 3 : state_ - 6;
}

bool LzmaDecoder::Item() {
    const unsigned posState = static_cast<uint32_t>(total_) & pbMask_;
    uint16_t* probabilities = probabilities_;
    if (!Bit(probabilities[IsMatch + (state_ << 4) + posState])) {
        Literal();
        return true;
    }
    unsigned length;
    if (Bit(probabilities[IsRep + state_])) {
        if (total_ == 0) {
            damaged_ = true;
            return true;
        }
        if (!Bit(probabilities[IsRepG0 + state_])) {
            if (!Bit(probabilities[IsRep0Long + (state_ << 4) + posState])) {
                state_ = state_ < 7 ? 9 : 11;
                Put(ByteBack(reps_[0]));
                return true;
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
        if (reps_[0] == 0xFFFFFFFF) return false;
        if (reps_[0] >= total_ || reps_[0] >= dictionarySize_) {
            damaged_ = true;
            return true;
        }
    }
    pending_ = length + 2;
    return true;
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
    memory_ = static_cast<unsigned char*>(std::malloc(probabilityCount * 2 + InputBufferSize + bufferSize_));
    if (!memory_) return LzmaResult::NoMemory;
    probabilities_ = reinterpret_cast<uint16_t*>(memory_);
    for (size_t i = 0; i < probabilityCount; ++i) probabilities_[i] = 1u << (ProbabilityBits - 1);
    in_ = memory_ + probabilityCount * 2;
    dictionary_ = in_ + InputBufferSize;
    range_ = 0xFFFFFFFF;
    const bool zeroFirst = NextByte() == 0;
    for (int i = 0; i < 4; ++i) code_ = code_ << 8 | NextByte();
    return zeroFirst && code_ != range_ && !damaged_ ? LzmaResult::Ok : LzmaResult::Damaged;
}

LzmaResult LzmaDecoder::Decode(uint64_t size, ByteSink* output) {
    if (!probabilities_) return LzmaResult::Damaged;
    output_ = output;
    const uint64_t end = total_ + size;
    if (end < total_ || (statedSize_ != LzmaUnknownSize && end > statedSize_)) return LzmaResult::Damaged;
    while (total_ < end && !damaged_ && !outputFailed_) {
        if (pending_ == 0 && !Item()) {
            // The end mark before the bytes asked for.
            damaged_ = true;
            break;
        }
        for (; pending_ > 0 && total_ < end; --pending_) Put(ByteBack(reps_[0]));
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
        if (Item() || damaged_) return LzmaResult::Damaged;
    }
    unsigned char more;
    return code_ == 0 && !damaged_ && inAt_ == inEnd_ && input_.Read(&more, 1) == 0 ? LzmaResult::Ok
                                                                                   : LzmaResult::Damaged;
}
