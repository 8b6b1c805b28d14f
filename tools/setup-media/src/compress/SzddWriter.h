#pragma once
#include <ostream>
#include <span>

// Writes `data` to `out` in the expansion library's compressed format (SZDD). The header
// carries `lastCharacter`, the character the compressed name replaced by "_", or 0 when the
// "_" was appended, so that expanding can restore the name.
// Returns false when `out` failed.
bool WriteSzdd(std::span<const unsigned char> data, char lastCharacter, std::ostream& out);

// The longest content the header's 32-bit length can declare.
inline constexpr unsigned long long MaxSzddContent = 0xFFFFFFFFull;
