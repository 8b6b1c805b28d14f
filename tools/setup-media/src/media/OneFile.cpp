#include "media/OneFile.h"

#include <algorithm>
#include <array>

#include "base/AsciiCase.h"
#include "base/ContentDigest.h"
#include "base/Crc32.h"
#include "base/LzmaDecoder.h"
#include "compress/LzmaEncoder.h"
#include "compress/MemoryStreams.h"
#include "compress/SettingsChoice.h"
#include "fsutil/FileNames.h"
#include "media/BuildError.h"
#include "media/LittleEndian.h"
#include "media/PeImage.h"

namespace {

// No LZMA stream unpacks to more than about 7,100 times its length: the longest match, 273
// bytes, takes 14 decisions of at least 0.022 bits each. A stream that states more is refused
// before anything is decoded, so a small crafted file cannot ask for the memory of a large one.
constexpr uint64_t MaxLzmaExpansion = 8192;

std::span<const unsigned char> Bytes(const std::string& text) {
    return {reinterpret_cast<const unsigned char*>(text.data()), text.size()};
}

// Where the slot's digest lies in the program's image: after the one SlotTag the image holds,
// inside the image and after the header fields the digest of the image leaves out, as setup.exe
// requires.
std::optional<size_t> FindSlot(const std::string& file, const PeLayout& layout) {
    const std::string_view image(file.data(), layout.imageEnd);
    const std::string_view tag(SlotTag, sizeof SlotTag);
    const size_t at = image.find(tag);
    if (at == std::string_view::npos || !Within(at + sizeof SlotTag, DigestTextSize, image.size()) ||
        at + sizeof SlotTag < layout.certificateEntryAt + 8 || image.find(tag, at + 1) != std::string_view::npos)
        return std::nullopt;
    return at + sizeof SlotTag;
}

// The image as the header's digest covers it: what signing and the build change, as zeros.
std::string ImageDigest(const std::string& file, const PeLayout& layout, size_t slotAt) {
    std::string image = file.substr(0, layout.imageEnd);
    PutLittleEndian(image, layout.checksumAt, 0, 4);
    PutLittleEndian(image, layout.certificateEntryAt, 0, 8);
    image.replace(slotAt, DigestTextSize, DigestTextSize, '\0');
    return ContentDigest(image);
}

// The first part whose media name another part shares, as the platform compares names.
const PayloadPart* SharedName(const std::vector<PayloadPart>& parts) {
    for (size_t i = 0; i < parts.size(); ++i)
        for (size_t j = 0; j < i; ++j)
            if (EqualIgnoringAsciiCase(MediaNameOf(parts[i]), MediaNameOf(parts[j]))) return &parts[i];
    return nullptr;
}

PeLayout ProgramLayout(const std::string& setupExe) {
    const std::optional<PeLayout> layout = ReadPeLayout(setupExe);
    if (!layout) throw BuildError("the setup program is not a Windows program");
    const uint64_t end = layout->certificateAt ? layout->certificateAt : setupExe.size();
    if (layout->imageEnd != end || (layout->certificateAt && end + layout->certificateSize != setupExe.size()))
        throw BuildError("the setup program carries data after its image; a one-file setup cannot follow it");
    return *layout;
}

// What the payload keeps of the program: the fields the one-file setup changes, and its signature.
std::string ProgramFields(const std::string& setupExe, const PeLayout& layout) {
    return setupExe.substr(layout.checksumAt, 4) + setupExe.substr(layout.certificateEntryAt, 8) +
           setupExe.substr(layout.imageEnd);
}

std::string Index(const std::vector<PayloadPart>& parts, const std::vector<std::string>& contents) {
    std::string index;
    for (size_t i = 0; i < parts.size(); ++i) {
        const PayloadPart& part = parts[i];
        if (part.name.size() > 0xffff) throw BuildError("the name " + part.name.substr(0, 60) + "... is too long");
        std::string entry(PartEntryFixedSize, '\0');
        PutLittleEndian(entry, 0, contents[i].size(), 8);
        PutLittleEndian(entry, PartCrcAt, part.crc ? *part.crc : Crc32(0, contents[i].data(), contents[i].size()), 4);
        entry[PartKindAt] = static_cast<char>(part.kind);
        PutLittleEndian(entry, PartKindAt + 1, part.name.size(), 2);
        index += entry + part.name;
    }
    return index;
}

// The payload's stream decoded part by part, each checked against its digest.
class PartReader {
public:
    PartReader(std::string_view stream, const std::string& label) : input_(stream), decoder_(input_), label_(label) {
        if (decoder_.Start(MaxPayloadDictionary) != LzmaResult::Ok) throw Damaged("its stream cannot be read");
        if (decoder_.StatedSize() / MaxLzmaExpansion > stream.size())
            throw Damaged("its stream states more than it can hold");
    }

    BuildError Damaged(const std::string& why) const { return BuildError(label_ + " is damaged: " + why); }
    uint64_t StatedSize() const { return decoder_.StatedSize(); }

    // The next `size` bytes, which must have the SHA-256 `digest`, or the CRC-32 `crc`.
    std::string Next(uint64_t size, const std::string& digest, const std::string& what) {
        std::string text = Next(size);
        if (ContentDigest(text) != digest) throw Differs(what);
        return text;
    }
    std::string Next(uint64_t size, uint32_t crc, const std::string& what) {
        std::string text = Next(size);
        if (Crc32(0, text.data(), text.size()) != crc) throw Differs(what);
        return text;
    }

    void Finish() {
        if (decoder_.Finish() != LzmaResult::Ok) throw Damaged("its stream does not end where it should");
    }

private:
    std::string Next(uint64_t size) {
        MemorySink output;
        if (decoder_.Decode(size, &output) != LzmaResult::Ok) throw Damaged("its stream cannot be read");
        return output.text;
    }
    BuildError Differs(const std::string& what) const { return Damaged(what + " differs from what it was built with"); }

    MemoryInput input_;
    LzmaDecoder decoder_;
    std::string label_;
};

struct IndexEntry {
    PayloadPart part;
    uint64_t size = 0;
};

std::vector<IndexEntry> ParseIndex(const std::string& index, const PartReader& reader) {
    std::vector<IndexEntry> entries;
    for (size_t at = 0; at < index.size();) {
        if (index.size() - at < PartEntryFixedSize) throw reader.Damaged("its index is malformed");
        IndexEntry entry;
        entry.size = LittleEndian64(index, at);
        const auto kind = static_cast<unsigned char>(index[at + PartKindAt]);
        const size_t nameLength = LittleEndian16(index, at + PartKindAt + 1);
        const uint32_t crc = LittleEndian32(index, at + PartCrcAt);
        at += PartEntryFixedSize;
        if (kind > static_cast<unsigned char>(PartKind::Program) || nameLength > index.size() - at)
            throw reader.Damaged("its index is malformed");
        entry.part = {index.substr(at, nameLength), static_cast<PartKind>(kind), {}, crc};
        if (!PlainRelativeName(entry.part.name))
            throw reader.Damaged("it names a part " + entry.part.name + ", which is not a plain relative name");
        entries.push_back(std::move(entry));
        at += nameLength;
    }
    return entries;
}

// The program as it was given to the build: the image that runs, with the fields it was given
// and its signature.
std::string RestoredProgram(const std::string& file, const PeLayout& layout, size_t slotAt, const std::string& fields,
                            const PartReader& reader) {
    if (fields.size() < ProgramFieldsSize) throw reader.Damaged("its program part is malformed");
    std::string program = file.substr(0, layout.imageEnd);
    program.replace(layout.checksumAt, 4, fields, 0, 4);
    program.replace(layout.certificateEntryAt, 8, fields, 4, 8);
    program.replace(slotAt, DigestTextSize, DigestTextSize, '\0');
    return program + fields.substr(ProgramFieldsSize);
}

}  // namespace

bool PlainRelativeName(const std::string& name) {
    size_t start = 0;
    for (;;) {
        const size_t end = std::min(name.find('\\', start), name.size());
        const std::string_view part(name.data() + start, end - start);
        if (part.empty() || part == "." || part == ".." ||
            part.find_first_of(":/<>\"|?*") != std::string_view::npos ||
            std::any_of(part.begin(), part.end(), [](char c) { return static_cast<unsigned char>(c) < 0x20; }))
            return false;
        if (end == name.size()) return true;
        start = end + 1;
    }
}

std::string MediaNameOf(const PayloadPart& part) {
    return part.kind == PartKind::Package ? CompressedFileName(part.name) : part.name;
}

std::string MakeOneFile(const std::string& setupExe, const std::vector<PayloadPart>& parts) {
    const PeLayout layout = ProgramLayout(setupExe);
    std::vector<std::string> contents;
    for (const PayloadPart& part : parts)
        contents.push_back(part.kind == PartKind::Program ? ProgramFields(setupExe, layout) : part.content);
    std::string unpacked = Index(parts, contents);
    const size_t indexLength = unpacked.size();
    for (const std::string& content : contents) unpacked += content;
    // The match finder counts positions in 32 bits.
    if (unpacked.size() >= MaxCompressedInput) throw BuildError("a one-file setup holds less than 4 GB; this package is larger");
    LzmaSettings settings = SettingsFor(Bytes(unpacked));
    settings.dictionary = DictionaryFor(unpacked.size(), MaxPayloadDictionary);
    return SealOneFile(setupExe, unpacked.substr(0, indexLength), LzmaCompress(Bytes(unpacked), settings));
}

std::string SealOneFile(const std::string& setupExe, const std::string& index, const std::string& stream) {
    const PeLayout layout = ProgramLayout(setupExe);
    const std::optional<size_t> slotAt = FindSlot(setupExe, layout);
    if (!slotAt) throw BuildError("the setup program has no slot for a payload's digest (a setup.exe of this version has one)");
    if (setupExe.compare(*slotAt, DigestTextSize, std::string(DigestTextSize, '\0')) != 0)
        throw BuildError("the setup program is the program of a one-file setup; give the program itself");
    std::string file = setupExe.substr(0, layout.imageEnd);
    PutLittleEndian(file, layout.certificateEntryAt, 0, 8);
    std::string header(PayloadHeaderSize, '\0');
    header.replace(0, sizeof PayloadMark, PayloadMark, sizeof PayloadMark);
    PutLittleEndian(header, VersionAt, PayloadVersion, 4);
    PutLittleEndian(header, SlotDigestAt, *slotAt, 4);
    PutLittleEndian(header, IndexLengthAt, index.size(), 8);
    PutLittleEndian(header, StreamLengthAt, stream.size(), 8);
    header.replace(ImageDigestAt, DigestTextSize, ImageDigest(file, layout, *slotAt));
    header.replace(IndexDigestAt, DigestTextSize, ContentDigest(index));
    header.replace(StreamDigestAt, DigestTextSize, ContentDigest(stream));
    file.replace(*slotAt, DigestTextSize, ContentDigest(header));
    file += header + stream;
    file.resize((file.size() + 7) / 8 * 8, '\0');
    PutLittleEndian(file, layout.checksumAt, PeChecksum(file, layout.checksumAt), 4);
    return file;
}

std::vector<PayloadPart> ReadOneFile(const std::string& file, const std::string& label) {
    const std::optional<PeLayout> layout = ReadPeLayout(file);
    const std::optional<size_t> slotAt = layout ? FindSlot(file, *layout) : std::nullopt;
    if (!slotAt || file.compare(*slotAt, DigestTextSize, std::string(DigestTextSize, '\0')) == 0)
        throw BuildError(label + " is not a one-file setup");
    const auto damaged = [&label](const std::string& why) { return BuildError(label + " is damaged: " + why); };
    const size_t at = layout->imageEnd;
    if (file.size() - at < PayloadHeaderSize || file.compare(at, sizeof PayloadMark, PayloadMark, sizeof PayloadMark) != 0)
        throw damaged("its payload is missing or cut");
    const std::string header = file.substr(at, PayloadHeaderSize);
    if (ContentDigest(header) != file.substr(*slotAt, DigestTextSize))
        throw damaged("its payload is not the one its program was built with");
    if (LittleEndian32(header, VersionAt) != PayloadVersion)
        throw damaged("its payload's format " + std::to_string(LittleEndian32(header, VersionAt)) + " is unknown");
    if (LittleEndian32(header, SlotDigestAt) != *slotAt || ImageDigest(file, *layout, *slotAt) != header.substr(ImageDigestAt, DigestTextSize))
        throw damaged("its program differs from what it was built with");
    const uint64_t indexLength = LittleEndian64(header, IndexLengthAt);
    const uint64_t streamLength = LittleEndian64(header, StreamLengthAt);
    const size_t streamAt = at + PayloadHeaderSize;
    if (streamLength > file.size() - streamAt) throw damaged("it is cut short");
    const std::string_view stream(file.data() + streamAt, streamLength);
    if (ContentDigest(std::string(stream)) != header.substr(StreamDigestAt, DigestTextSize))
        throw damaged("its content differs from what it was built with");

    PartReader reader(stream, label);
    if (indexLength > reader.StatedSize()) throw damaged("its index is malformed");
    const std::string index = reader.Next(indexLength, header.substr(IndexDigestAt, DigestTextSize), "its index");
    std::vector<IndexEntry> entries = ParseIndex(index, reader);
    uint64_t total = indexLength;
    for (const IndexEntry& entry : entries) {
        if (entry.size > reader.StatedSize() - total) throw damaged("its index does not match its stream");
        total += entry.size;
    }
    if (total != reader.StatedSize()) throw damaged("its index does not match its stream");
    std::vector<PayloadPart> parts;
    for (IndexEntry& entry : entries) {
        entry.part.content = reader.Next(entry.size, *entry.part.crc, entry.part.name);
        if (entry.part.kind == PartKind::Program)
            entry.part.content = RestoredProgram(file, *layout, *slotAt, entry.part.content, reader);
        parts.push_back(std::move(entry.part));
    }
    reader.Finish();
    if (const PayloadPart* shared = SharedName(parts)) throw damaged("two of its parts are both " + MediaNameOf(*shared));
    return parts;
}
