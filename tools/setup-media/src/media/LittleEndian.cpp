#include "media/LittleEndian.h"

#include <stdexcept>

namespace {

void CheckPlace(const std::string& bytes, size_t at, size_t size) {
    if (!Within(at, size, bytes.size())) throw std::out_of_range("a number read or written outside its bytes");
}

uint64_t Number(const std::string& bytes, size_t at, size_t size) {
    CheckPlace(bytes, at, size);
    uint64_t value = 0;
    while (size-- > 0) value = value << 8 | static_cast<unsigned char>(bytes[at + size]);
    return value;
}

}  // namespace

uint16_t LittleEndian16(const std::string& bytes, size_t at) { return static_cast<uint16_t>(Number(bytes, at, 2)); }

uint32_t LittleEndian32(const std::string& bytes, size_t at) { return static_cast<uint32_t>(Number(bytes, at, 4)); }

uint64_t LittleEndian64(const std::string& bytes, size_t at) { return Number(bytes, at, 8); }

void PutLittleEndian(std::string& bytes, size_t at, uint64_t value, size_t size) {
    CheckPlace(bytes, at, size);
    for (size_t i = 0; i < size; ++i) bytes[at + i] = static_cast<char>(value >> (8 * i));
}
