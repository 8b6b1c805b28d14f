#include "base/RandomBytes.h"

#include <windows.h>

#include "base/SystemLibrary.h"

namespace {

constexpr ULONG UseSystemPreferredSource = 0x00000002;  // BCRYPT_USE_SYSTEM_PREFERRED_RNG

}  // namespace

bool FillRandom(unsigned char* bytes, size_t count) {
    using GenRandomFunction = LONG(WINAPI*)(void*, unsigned char*, ULONG, ULONG);
    const HMODULE library = LoadSystemLibrary("bcrypt");
    const auto genRandom = library ? ProcAddress<GenRandomFunction>(library, "BCryptGenRandom") : nullptr;
    return genRandom && genRandom(nullptr, bytes, static_cast<ULONG>(count), UseSystemPreferredSource) >= 0;
}
