#pragma once
#include <cstddef>
#include <cstdint>

// The CRC-32 of zip, PNG and Ethernet (reflected polynomial 0xEDB88320, starting and ending
// inverted), so that any tool that checks those can check ours. Fed in pieces: start from 0 and
// pass each result back in.
uint32_t Crc32(uint32_t crc, const void* bytes, size_t size);
