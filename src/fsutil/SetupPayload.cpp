#include "fsutil/SetupPayload.h"

#include <windows.h>

#include <optional>

#include "base/ContentDigest.h"
#include "base/OwnedHandle.h"
#include "fsutil/FileRange.h"
#include "fsutil/PayloadFormat.h"

namespace {

constexpr const char* DamagedText = "The setup file is damaged. Download it again.";
constexpr const char* InUseText = "The setup file is in use by another program.";

// One part as the index lists it.
struct Part {
    uint64_t at;
    uint64_t size;
};

FileHandle OwnFile;
// The payload's index, once checked, and where the first part begins.
std::string Index;
uint64_t PartsAt = 0;
uint64_t PartsEnd = 0;

// The facts of the program's file that its own headers, as loaded, tell.
struct ImageFacts {
    uint64_t end = 0;  // of the last section's raw data
    uint64_t checksumAt = 0;
    uint64_t certificateEntryAt = 0;
    DWORD certificateAt = 0;
};

ImageFacts OwnImage() {
    const auto* base = reinterpret_cast<const unsigned char*>(GetModuleHandleA(nullptr));
    const auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(base + reinterpret_cast<const IMAGE_DOS_HEADER*>(base)->e_lfanew);
    const IMAGE_SECTION_HEADER* section = IMAGE_FIRST_SECTION(nt);
    ImageFacts facts;
    for (WORD i = 0; i < nt->FileHeader.NumberOfSections; ++i, ++section) {
        const uint64_t end = uint64_t{section->PointerToRawData} + section->SizeOfRawData;
        if (end > facts.end) facts.end = end;
    }
    const IMAGE_DATA_DIRECTORY& certificates = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_SECURITY];
    facts.checksumAt = reinterpret_cast<const unsigned char*>(&nt->OptionalHeader.CheckSum) - base;
    facts.certificateEntryAt = reinterpret_cast<const unsigned char*>(&certificates) - base;
    facts.certificateAt = certificates.VirtualAddress;
    return facts;
}

uint64_t Number(const char* bytes, size_t size) {
    uint64_t value = 0;
    while (size-- > 0) value = value << 8 | static_cast<unsigned char>(bytes[size]);
    return value;
}

// The program's image, with the fields signing changes as zeros, then the payload.
bool DigestMatches(HANDLE file, const ImageFacts& image, uint64_t payloadAt, uint64_t payloadLength,
                   const std::string& recorded) {
    DigestStream digest;
    const char zeros[8] = {};
    const bool read = AddFileBytes(digest, file, 0, image.checksumAt) && (digest.Add(zeros, 4), true) &&
                      AddFileBytes(digest, file, image.checksumAt + 4, image.certificateEntryAt - image.checksumAt - 4) &&
                      (digest.Add(zeros, 8), true) &&
                      AddFileBytes(digest, file, image.certificateEntryAt + 8, image.end - image.certificateEntryAt - 8) &&
                      AddFileBytes(digest, file, payloadAt, payloadLength);
    return read && digest.Finish() == recorded;
}

// Calls `visit(name, part)` for each part the index lists until it returns true; false when
// the index does not fit the payload.
template <class Visit>
bool WalkIndex(Visit visit) {
    Part part{PartsAt, 0};
    for (size_t entry = 0; entry < Index.size();) {
        if (Index.size() - entry < PartEntryFixedSize) return false;
        part.size = Number(&Index[entry], 8);
        const size_t nameLength = static_cast<size_t>(Number(&Index[entry + PartEntryFixedSize - 2], 2));
        entry += PartEntryFixedSize;
        if (nameLength > Index.size() - entry || part.size > PartsEnd - part.at) return false;
        if (visit(Index.substr(entry, nameLength), part)) return true;
        part.at += part.size;
        entry += nameLength;
    }
    return true;
}

// Checks the payload, whose mark `file` holds, through it; false when it is damaged.
bool ReadPayload(HANDLE file, const ImageFacts& image) {
    LARGE_INTEGER fileSize;
    char header[PayloadHeaderSize];
    if (!GetFileSizeEx(file, &fileSize) || static_cast<uint64_t>(fileSize.QuadPart) < image.end + sizeof header ||
        !ReadFileBytes(file, image.end, header, sizeof header))
        return false;
    const uint64_t payloadAt = image.end + sizeof header;
    const uint64_t length = Number(header + PayloadLengthAt, 8);
    const uint64_t indexLength = Number(header + IndexLengthAt, 8);
    if (length > static_cast<uint64_t>(fileSize.QuadPart) - payloadAt || indexLength > length) return false;
    if (!DigestMatches(file, image, payloadAt, length, std::string(header + PayloadDigestAt, DigestTextSize)))
        return false;
    Index.assign(static_cast<size_t>(indexLength), '\0');
    PartsAt = payloadAt + indexLength;
    PartsEnd = payloadAt + length;
    return ReadFileBytes(file, payloadAt, Index.data(), static_cast<DWORD>(indexLength)) &&
           WalkIndex([](const std::string&, const Part&) { return false; });
}

std::optional<Part> FindPart(const std::string& name) {
    std::optional<Part> found;
    if (OwnFile.IsValid())
        WalkIndex([&](const std::string& listed, const Part& part) {
            if (lstrcmpiA(listed.c_str(), name.c_str()) == 0) found = part;
            return found.has_value();
        });
    return found;
}

}  // namespace

const char* OpenSetupPayload() {
    const ImageFacts image = OwnImage();
    std::string path(32768, '\0');
    const DWORD length = GetModuleFileNameA(nullptr, path.data(), static_cast<DWORD>(path.size()));
    path.resize(length < path.size() ? length : 0);
    WIN32_FILE_ATTRIBUTE_DATA attributes;
    // Nothing after the image, or only a signature: a program on folder media, as it always was.
    if (path.empty() || !GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &attributes) ||
        (uint64_t{attributes.nFileSizeHigh} << 32 | attributes.nFileSizeLow) <= image.end ||
        image.certificateAt == image.end)
        return nullptr;
    OwnFile.Reset(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!OwnFile.IsValid()) return GetLastError() == ERROR_SHARING_VIOLATION ? InUseText : DamagedText;
    char mark[sizeof PayloadMark];
    if (!ReadFileBytes(OwnFile.Get(), image.end, mark, sizeof mark) || memcmp(mark, PayloadMark, sizeof mark) != 0) {
        // Something else follows the image, such as a linker's symbols: no payload.
        OwnFile.Reset();
        return nullptr;
    }
    if (ReadPayload(OwnFile.Get(), image)) return nullptr;
    OwnFile.Reset();
    return DamagedText;
}

bool HasSetupPayload() { return OwnFile.IsValid(); }

bool PayloadHolds(const std::string& name) { return FindPart(name).has_value(); }

bool UnpackPayloadPart(const std::string& name, const std::string& target) {
    const std::optional<Part> part = FindPart(name);
    if (!part) return false;
    bool written = false;
    {
        const FileHandle output(
            CreateFileA(target.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
        if (!output.IsValid()) return false;
        written = CopyFileBytes(OwnFile.Get(), part->at, part->size, output.Get());
    }
    if (!written) DeleteFileA(target.c_str());
    return written;
}

UnpackedPart::UnpackedPart(const std::string& name, const std::string& path) : carried_(HasSetupPayload()) {
    if (carried_ && UnpackPayloadPart(name, path)) path_ = path;
}

UnpackedPart::~UnpackedPart() {
    if (!path_.empty()) DeleteFileA(path_.c_str());
}
