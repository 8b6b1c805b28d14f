#pragma once
#include <cstddef>

// Fills `bytes` with `count` bytes from the platform's cryptographic random source; false when
// there is none. The source is loaded by its full System path: the function the platform's
// advapi32 exports for this forwards to a DLL that the loader would look for beside the program.
bool FillRandom(unsigned char* bytes, size_t count);
