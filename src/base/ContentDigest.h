#pragma once
#include <string>

// The SHA-256 digest of `bytes` in 64 lower-case hexadecimal digits, through the platform's
// cryptographic provider; the empty text when the provider cannot be had.
std::string ContentDigest(const std::string& bytes);
