#include "support/StandInProgram.h"

#include <cstdint>

std::string StandInProgram(const std::string& marker) {
    std::string file(StandInImageSize, '\0');
    const auto put = [&file](size_t at, uint32_t value, size_t size) {
        for (size_t i = 0; i < size; ++i) file[at + i] = static_cast<char>(value >> (8 * i));
    };
    file.replace(0, 2, "MZ");
    put(0x3c, 0x40, 4);
    file.replace(0x40, 4, std::string("PE\0\0", 4));
    put(0x44, 0x8664, 2);  // x86-64, one section, optional header of 0xF0 bytes
    put(0x46, 1, 2);
    put(0x54, 0xF0, 2);
    put(0x56, 0x22, 2);
    put(0x58, 0x20b, 2);
    put(0x58 + 32, 0x1000, 4);  // section and file alignment, image and header size
    put(0x58 + 36, 0x200, 4);
    put(0x58 + 56, 0x2000, 4);
    put(0x58 + 60, 0x200, 4);
    put(0x58 + 68, 2, 2);
    put(0x58 + 108, 16, 4);
    file.replace(0x148, 5, ".data");
    put(0x150, 0x200, 4);  // size, address, raw size, raw offset
    put(0x154, 0x1000, 4);
    put(0x158, 0x200, 4);
    put(0x15c, 0x200, 4);
    file.replace(0x200, marker.size(), marker);
    file.replace(StandInSlotAt, 8, "QUPSLOT:");
    return file;
}
