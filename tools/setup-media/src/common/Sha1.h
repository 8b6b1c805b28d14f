#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

// SHA-1, given as 40 lower-case hexadecimal digits. Broken for signatures, it is here only because
// SPDX asks for it on every file of a bill of materials; digests that stand for content are SHA-256
// (base/ContentDigest.h).
class Sha1 {
public:
    void Add(std::string_view bytes);
    // The digest of everything added; the object is spent afterwards.
    std::string Finish();

private:
    void CompressBlock(const unsigned char* block);

    uint32_t hash_[5] = {0x67452301, 0xEFCDAB89, 0x98BADCFE, 0x10325476, 0xC3D2E1F0};
    unsigned char block_[64] = {};
    size_t filled_ = 0;
    uint64_t length_ = 0;
};

// The digest of `bytes`.
std::string Sha1Of(std::string_view bytes);
