#include "base/ContentDigest.h"

#include <windows.h>
#include <bcrypt.h>

#include "base/SystemLibrary.h"

// setup.exe's implementation: the platform's SHA-256, from bcrypt.dll loaded by its System path,
// as the random bytes come (RandomBytes.cpp). setup-media has a portable one (ContentDigest.cpp).

namespace {

constexpr ULONG DigestSize = 32;

struct HashFunctions {
    BCRYPT_ALG_HANDLE algorithm;
    decltype(&BCryptCreateHash) create;
    decltype(&BCryptHashData) hashData;
    decltype(&BCryptFinishHash) finish;
    decltype(&BCryptDestroyHash) destroy;
};

HashFunctions LoadHashFunctions() {
    HashFunctions functions{};
    const HMODULE library = LoadSystemLibrary("bcrypt");
    if (!library) return functions;
    const auto open = ProcAddress<decltype(&BCryptOpenAlgorithmProvider)>(library, "BCryptOpenAlgorithmProvider");
    functions.create = ProcAddress<decltype(&BCryptCreateHash)>(library, "BCryptCreateHash");
    functions.hashData = ProcAddress<decltype(&BCryptHashData)>(library, "BCryptHashData");
    functions.finish = ProcAddress<decltype(&BCryptFinishHash)>(library, "BCryptFinishHash");
    functions.destroy = ProcAddress<decltype(&BCryptDestroyHash)>(library, "BCryptDestroyHash");
    if (!open || !functions.create || !functions.hashData || !functions.finish || !functions.destroy ||
        !BCRYPT_SUCCESS(open(&functions.algorithm, BCRYPT_SHA256_ALGORITHM, nullptr, 0)))
        functions.algorithm = nullptr;
    return functions;
}

// The provider, opened once and kept for the life of the process; its algorithm is null when
// there is none.
const HashFunctions& Hashing() {
    static const HashFunctions functions = LoadHashFunctions();
    return functions;
}

}  // namespace

// The platform's hash object; null once it failed or was finished.
struct DigestStream::State {
    BCRYPT_HASH_HANDLE hash = nullptr;
};

DigestStream::DigestStream() : state_(std::make_unique<State>()) {
    const HashFunctions& hashing = Hashing();
    // The platform keeps the hash object's memory itself (no buffer given).
    if (hashing.algorithm && !BCRYPT_SUCCESS(hashing.create(hashing.algorithm, &state_->hash, nullptr, 0, nullptr, 0, 0)))
        state_->hash = nullptr;
}

DigestStream::~DigestStream() {
    if (state_->hash) Hashing().destroy(state_->hash);
}

void DigestStream::Add(const void* bytes, size_t size) {
    const auto* next = static_cast<const unsigned char*>(bytes);
    while (state_->hash && size > 0) {
        const ULONG piece = size < 0x40000000 ? static_cast<ULONG>(size) : 0x40000000;
        if (!BCRYPT_SUCCESS(Hashing().hashData(state_->hash, const_cast<PUCHAR>(next), piece, 0))) {
            Hashing().destroy(state_->hash);
            state_->hash = nullptr;
        }
        next += piece;
        size -= piece;
    }
}

std::string DigestStream::Finish() {
    if (!state_->hash) return {};
    unsigned char digest[DigestSize];
    const bool finished = BCRYPT_SUCCESS(Hashing().finish(state_->hash, digest, DigestSize, 0));
    Hashing().destroy(state_->hash);
    state_->hash = nullptr;
    if (!finished) return {};
    // The digits as a literal, which the program's other hexadecimal texts share.
    std::string text;
    for (unsigned char byte : digest) {
        text += "0123456789abcdef"[byte >> 4];
        text += "0123456789abcdef"[byte & 0xF];
    }
    return text;
}

std::string ContentDigest(const std::string& bytes) {
    DigestStream stream;
    stream.Add(bytes.data(), bytes.size());
    return stream.Finish();
}
