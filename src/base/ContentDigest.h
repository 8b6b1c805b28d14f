#pragma once
#include <cstddef>
#include <cstdint>
#include <string>

// SHA-256, computed here rather than through the platform's cryptographic provider, whose
// loading alone takes longer than a whole unattended install of a small package. Digests are
// given as 64 lower-case hexadecimal digits.

// A digest fed piece by piece, for content too large to hold at once.
class DigestStream {
public:
    void Add(const void* bytes, size_t size);
    // The digest of everything added; the stream is spent afterwards.
    std::string Finish();

private:
    uint32_t state_[8] = {0x6a09e667, 0xbb67ae85, 0x3c6ef372, 0xa54ff53a,
                          0x510e527f, 0x9b05688c, 0x1f83d9ab, 0x5be0cd19};
    unsigned char block_[64] = {};
    size_t filled_ = 0;
    uint64_t length_ = 0;
};

// The digest of `bytes`.
std::string ContentDigest(const std::string& bytes);
