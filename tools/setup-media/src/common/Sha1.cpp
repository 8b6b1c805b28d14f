#include "common/Sha1.h"

namespace {

uint32_t RotateLeft(uint32_t value, int bits) { return value << bits | value >> (32 - bits); }

uint32_t BigEndian32(const unsigned char* bytes) {
    return static_cast<uint32_t>(bytes[0]) << 24 | static_cast<uint32_t>(bytes[1]) << 16 |
           static_cast<uint32_t>(bytes[2]) << 8 | bytes[3];
}

}  // namespace

void Sha1::CompressBlock(const unsigned char* block) {
    uint32_t w[80];
    for (int i = 0; i < 16; ++i) w[i] = BigEndian32(block + 4 * i);
    for (int i = 16; i < 80; ++i) w[i] = RotateLeft(w[i - 3] ^ w[i - 8] ^ w[i - 14] ^ w[i - 16], 1);
    uint32_t a = hash_[0], b = hash_[1], c = hash_[2], d = hash_[3], e = hash_[4];
    for (int i = 0; i < 80; ++i) {
        uint32_t f, k;
        if (i < 20) {
            f = (b & c) | (~b & d);
            k = 0x5A827999;
        } else if (i < 40) {
            f = b ^ c ^ d;
            k = 0x6ED9EBA1;
        } else if (i < 60) {
            f = (b & c) | (b & d) | (c & d);
            k = 0x8F1BBCDC;
        } else {
            f = b ^ c ^ d;
            k = 0xCA62C1D6;
        }
        const uint32_t next = RotateLeft(a, 5) + f + e + k + w[i];
        e = d;
        d = c;
        c = RotateLeft(b, 30);
        b = a;
        a = next;
    }
    hash_[0] += a;
    hash_[1] += b;
    hash_[2] += c;
    hash_[3] += d;
    hash_[4] += e;
}

void Sha1::Add(std::string_view bytes) {
    length_ += bytes.size();
    for (const char byte : bytes) {
        block_[filled_++] = static_cast<unsigned char>(byte);
        if (filled_ == sizeof block_) {
            CompressBlock(block_);
            filled_ = 0;
        }
    }
}

std::string Sha1::Finish() {
    const uint64_t bits = length_ * 8;
    // The padding: one set bit, zeros up to 8 bytes short of a block, then the length in bits.
    Add(std::string_view("\x80", 1));
    while (filled_ != 56) Add(std::string_view("\0", 1));
    unsigned char tail[8];
    for (int i = 0; i < 8; ++i) tail[i] = static_cast<unsigned char>(bits >> (56 - 8 * i));
    Add(std::string_view(reinterpret_cast<const char*>(tail), sizeof tail));
    static constexpr char Digits[] = "0123456789abcdef";
    std::string text;
    for (const uint32_t word : hash_)
        for (int shift = 28; shift >= 0; shift -= 4) text += Digits[(word >> shift) & 0xF];
    return text;
}

std::string Sha1Of(std::string_view bytes) {
    Sha1 digest;
    digest.Add(bytes);
    return digest.Finish();
}
