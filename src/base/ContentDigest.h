#pragma once
#include <cstddef>
#include <memory>
#include <string>

// SHA-256, given as 64 lower-case hexadecimal digits. Two implementations share this header:
// setup.exe asks the platform (PlatformDigest.cpp, through bcrypt.dll, which the run loads for its
// random bytes anyway), and setup-media computes it itself (ContentDigest.cpp), as it runs on any
// system.

// A digest fed piece by piece, for content too large to hold at once.
class DigestStream {
public:
    DigestStream();
    ~DigestStream();
    DigestStream(const DigestStream&) = delete;
    DigestStream& operator=(const DigestStream&) = delete;

    void Add(const void* bytes, size_t size);
    // The digest of everything added; the stream is spent afterwards. The empty text when the
    // platform could not compute it, which matches no digest recorded anywhere.
    std::string Finish();

private:
    struct State;
    std::unique_ptr<State> state_;
};

// The digest of `bytes`.
std::string ContentDigest(const std::string& bytes);
