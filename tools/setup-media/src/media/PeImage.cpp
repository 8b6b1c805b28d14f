#include "media/PeImage.h"

namespace {

constexpr size_t CertificateDirectory = 4;

}  // namespace

uint16_t LittleEndian16(const std::string& bytes, size_t at) {
    return static_cast<uint16_t>(static_cast<unsigned char>(bytes[at]) | static_cast<unsigned char>(bytes[at + 1]) << 8);
}

uint32_t LittleEndian32(const std::string& bytes, size_t at) {
    return LittleEndian16(bytes, at) | static_cast<uint32_t>(LittleEndian16(bytes, at + 2)) << 16;
}

void PutLittleEndian(std::string& bytes, size_t at, uint64_t value, size_t size) {
    for (size_t i = 0; i < size; ++i) bytes[at + i] = static_cast<char>(value >> (8 * i));
}

std::optional<PeLayout> ReadPeLayout(const std::string& file) {
    if (file.size() < 0x40 || file.compare(0, 2, "MZ") != 0) return std::nullopt;
    const size_t pe = LittleEndian32(file, 0x3c);
    if (pe > file.size() || file.size() - pe < 24 || file.compare(pe, 4, std::string("PE\0\0", 4)) != 0)
        return std::nullopt;
    const size_t sections = LittleEndian16(file, pe + 6);
    const size_t optionalSize = LittleEndian16(file, pe + 20);
    const size_t optional = pe + 24;
    const size_t table = optional + optionalSize;
    if (table + 40 * sections > file.size() || optionalSize < 2) return std::nullopt;
    const uint16_t magic = LittleEndian16(file, optional);
    if (magic != 0x10b && magic != 0x20b) return std::nullopt;
    const size_t directories = optional + (magic == 0x20b ? 112 : 96);
    PeLayout layout;
    layout.checksumAt = optional + 64;
    layout.certificateEntryAt = directories + 8 * CertificateDirectory;
    if (layout.certificateEntryAt + 8 > table) return std::nullopt;
    layout.certificateAt = LittleEndian32(file, layout.certificateEntryAt);
    layout.certificateSize = LittleEndian32(file, layout.certificateEntryAt + 4);
    for (size_t i = 0; i < sections; ++i) {
        const size_t section = table + 40 * i;
        const uint64_t end = uint64_t{LittleEndian32(file, section + 20)} + LittleEndian32(file, section + 16);
        if (end > layout.imageEnd) layout.imageEnd = end;
    }
    if (layout.imageEnd > file.size()) return std::nullopt;
    return layout;
}

uint32_t PeChecksum(const std::string& file, size_t checksumAt) {
    uint64_t sum = 0;
    for (size_t at = 0; at < file.size(); at += 2) {
        if (at == checksumAt || at == checksumAt + 2) continue;
        const unsigned high = at + 1 < file.size() ? static_cast<unsigned char>(file[at + 1]) : 0;
        sum += static_cast<unsigned char>(file[at]) | high << 8;
        sum = (sum & 0xffff) + (sum >> 16);
    }
    return static_cast<uint32_t>(((sum & 0xffff) + (sum >> 16)) + file.size());
}
