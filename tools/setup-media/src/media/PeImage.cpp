#include "media/PeImage.h"

#include "media/LittleEndian.h"

namespace {

constexpr size_t CertificateDirectory = 4;
constexpr size_t DosHeaderSize = 0x40;
constexpr size_t FileHeaderSize = 24;  // with the signature
constexpr size_t SectionHeaderSize = 40;

// The end of the last section's raw data; each end is a sum of two 32-bit fields, kept in 64 bits.
uint64_t ImageEnd(const std::string& file, size_t table, size_t sections) {
    uint64_t imageEnd = 0;
    for (size_t i = 0; i < sections; ++i) {
        const size_t section = table + SectionHeaderSize * i;
        const uint64_t end = uint64_t{LittleEndian32(file, section + 20)} + LittleEndian32(file, section + 16);
        if (end > imageEnd) imageEnd = end;
    }
    return imageEnd;
}

}  // namespace

std::optional<PeLayout> ReadPeLayout(const std::string& file) {
    if (file.size() < DosHeaderSize || file.compare(0, 2, "MZ") != 0) return std::nullopt;
    const size_t pe = LittleEndian32(file, 0x3c);
    if (!Within(pe, FileHeaderSize, file.size()) || file.compare(pe, 4, std::string("PE\0\0", 4)) != 0)
        return std::nullopt;
    const size_t sections = LittleEndian16(file, pe + 6);
    const size_t optionalSize = LittleEndian16(file, pe + 20);
    const size_t optional = pe + FileHeaderSize;
    const size_t table = optional + optionalSize;
    if (optionalSize < 2 || !Within(table, SectionHeaderSize * sections, file.size())) return std::nullopt;
    const uint16_t magic = LittleEndian16(file, optional);
    if (magic != 0x10b && magic != 0x20b) return std::nullopt;
    const size_t directories = optional + (magic == 0x20b ? 112 : 96);
    PeLayout layout;
    layout.machine = LittleEndian16(file, pe + 4);
    layout.checksumAt = optional + 64;
    layout.certificateEntryAt = directories + 8 * CertificateDirectory;
    if (layout.certificateEntryAt + 8 > table) return std::nullopt;
    layout.certificateAt = LittleEndian32(file, layout.certificateEntryAt);
    layout.certificateSize = LittleEndian32(file, layout.certificateEntryAt + 4);
    layout.imageEnd = ImageEnd(file, table, sections);
    // The headers' fields are part of the image that a one-file setup's digest covers; an image
    // that ends before them is no program's.
    if (layout.imageEnd > file.size() || layout.certificateEntryAt + 8 > layout.imageEnd) return std::nullopt;
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
