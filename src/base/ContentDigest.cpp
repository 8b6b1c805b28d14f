#include "base/ContentDigest.h"

#include <windows.h>
#include <wincrypt.h>

#include "base/FormatText.h"

namespace {

class CryptoProvider {
public:
    CryptoProvider() {
        if (!CryptAcquireContextA(&provider_, nullptr, nullptr, PROV_RSA_AES, CRYPT_VERIFYCONTEXT)) provider_ = 0;
    }
    ~CryptoProvider() {
        if (provider_) CryptReleaseContext(provider_, 0);
    }
    CryptoProvider(const CryptoProvider&) = delete;
    CryptoProvider& operator=(const CryptoProvider&) = delete;

    HCRYPTPROV Get() const { return provider_; }

private:
    HCRYPTPROV provider_ = 0;
};

class CryptoHash {
public:
    explicit CryptoHash(HCRYPTPROV provider) {
        if (!provider || !CryptCreateHash(provider, CALG_SHA_256, 0, 0, &hash_)) hash_ = 0;
    }
    ~CryptoHash() {
        if (hash_) CryptDestroyHash(hash_);
    }
    CryptoHash(const CryptoHash&) = delete;
    CryptoHash& operator=(const CryptoHash&) = delete;

    HCRYPTHASH Get() const { return hash_; }

private:
    HCRYPTHASH hash_ = 0;
};

}  // namespace

std::string ContentDigest(const std::string& bytes) {
    const CryptoProvider provider;
    const CryptoHash hash(provider.Get());
    BYTE digest[32];
    DWORD size = sizeof digest;
    if (!hash.Get() ||
        !CryptHashData(hash.Get(), reinterpret_cast<const BYTE*>(bytes.data()), static_cast<DWORD>(bytes.size()), 0) ||
        !CryptGetHashParam(hash.Get(), HP_HASHVAL, digest, &size, 0) || size != sizeof digest)
        return {};
    std::string text;
    for (BYTE byte : digest) text += FormatText("%02x", byte);
    return text;
}
