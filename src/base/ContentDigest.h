#pragma once
#include <string>

// The SHA-256 digest of `bytes`, in 64 lower-case hexadecimal digits. Computed here rather than
// through the platform's cryptographic provider, whose loading alone takes longer than a whole
// unattended install of a small package.
std::string ContentDigest(const std::string& bytes);
