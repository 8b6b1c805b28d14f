#include "fsutil/PayloadReader.h"

#include "base/AsciiCase.h"
#include "base/Crc32.h"
#include "base/ContentDigest.h"
#include "fsutil/FileRange.h"

namespace {

uint64_t Number(const char* bytes, size_t size) {
    uint64_t value = 0;
    while (size-- > 0) value = value << 8 | static_cast<unsigned char>(bytes[size]);
    return value;
}

// Bytes on their way into their digest, and into a text when one is given.
class DigestSink : public ByteSink {
public:
    explicit DigestSink(std::string* text = nullptr) : text_(text) {}
    bool Write(const unsigned char* bytes, size_t size) override {
        digest_.Add(bytes, size);
        if (text_) text_->append(reinterpret_cast<const char*>(bytes), size);
        return true;
    }
    // Whether the bytes so far have the digest `expected` (64 hexadecimal digits).
    bool Match(const char* expected) { return digest_.Finish().compare(0, DigestTextSize, expected, DigestTextSize) == 0; }

private:
    std::string* text_;
    DigestStream digest_;
};

// A part's bytes on their way: into its CRC, and into a file or a text when one is given.
class PartSink : public ByteSink {
public:
    PartSink(HANDLE out, std::string* text) : file_(out), text_(text) {}
    bool Write(const unsigned char* bytes, size_t size) override {
        crc_ = Crc32(crc_, bytes, size);
        if (text_) text_->append(reinterpret_cast<const char*>(bytes), size);
        if (!failed_ && file_ != INVALID_HANDLE_VALUE) failed_ = !FileSink(file_).Write(bytes, size);
        return !failed_;
    }
    bool Failed() const { return failed_; }
    uint32_t Crc() const { return crc_; }

private:
    HANDLE file_;
    std::string* text_;
    uint32_t crc_ = 0;
    bool failed_ = false;
};

// Bytes that stand in the file's place at `at`; zeros when there are none.
struct Patch {
    uint64_t at;
    const void* bytes;
    size_t size;
};

// The file from its start to `end` into `sink`, with `patches` (in order, inside it) in place of
// the file's bytes there.
bool SendPatched(HANDLE file, uint64_t end, const Patch (&patches)[3], ByteSink& sink) {
    const unsigned char zeros[DigestTextSize] = {};
    uint64_t at = 0;
    for (const Patch& patch : patches) {
        if (!SendFileBytes(file, at, patch.at - at, sink) ||
            !sink.Write(patch.bytes ? static_cast<const unsigned char*>(patch.bytes) : zeros, patch.size))
            return false;
        at = patch.at + patch.size;
    }
    return SendFileBytes(file, at, end - at, sink);
}

}  // namespace

ImageFacts ImageFactsOf(const void* headers) {
    const auto* base = static_cast<const unsigned char*>(headers);
    const auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(base + static_cast<const IMAGE_DOS_HEADER*>(headers)->e_lfanew);
    const IMAGE_SECTION_HEADER* section = IMAGE_FIRST_SECTION(nt);
    ImageFacts facts;
    for (WORD i = 0; i < nt->FileHeader.NumberOfSections; ++i, ++section) {
        const uint64_t end = uint64_t{section->PointerToRawData} + section->SizeOfRawData;
        if (end > facts.end) facts.end = end;
    }
    facts.checksumAt = reinterpret_cast<const unsigned char*>(&nt->OptionalHeader.CheckSum) - base;
    facts.certificateEntryAt =
        reinterpret_cast<const unsigned char*>(&nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_SECURITY]) - base;
    return facts;
}

size_t PayloadReader::Read(unsigned char* buffer, size_t size) {
    const DWORD taken = static_cast<DWORD>(streamEnd_ - readTo_ < size ? streamEnd_ - readTo_ : size);
    if (taken == 0 || !ReadFileBytes(file_, readTo_, buffer, taken)) return 0;
    readTo_ += taken;
    return taken;
}

bool PayloadReader::Open(HANDLE file, const ImageFacts& image, const char* headerDigest) {
    file_ = file;
    image_ = image;
    char header[PayloadHeaderSize];
    LARGE_INTEGER fileSize;
    DigestSink headerSink;
    if (!GetFileSizeEx(file, &fileSize) || !ReadFileBytes(file, image.end, header, sizeof header) ||
        memcmp(header, PayloadMark, sizeof PayloadMark) != 0 ||
        !headerSink.Write(reinterpret_cast<const unsigned char*>(header), sizeof header) ||
        !headerSink.Match(headerDigest) || Number(header + VersionAt, 4) != PayloadVersion)
        return false;
    slotAt_ = Number(header + SlotDigestAt, 4);
    indexLength_ = Number(header + IndexLengthAt, 8);
    streamAt_ = image.end + sizeof header;
    streamEnd_ = streamAt_ + Number(header + StreamLengthAt, 8);
    if (slotAt_ < image.certificateEntryAt + 8 || slotAt_ > image.end - DigestTextSize || streamEnd_ < streamAt_ ||
        streamEnd_ > static_cast<uint64_t>(fileSize.QuadPart))
        return false;

    const Patch zeros[3] = {{image.checksumAt, nullptr, 4}, {image.certificateEntryAt, nullptr, 8}, {slotAt_, nullptr, DigestTextSize}};
    DigestSink imageSink, streamSink, indexSink(&index_);
    return SendPatched(file, image.end, zeros, imageSink) && imageSink.Match(header + ImageDigestAt) &&
           SendFileBytes(file, streamAt_, streamEnd_ - streamAt_, streamSink) && streamSink.Match(header + StreamDigestAt) &&
           StartStream() && indexLength_ <= decoder_->StatedSize() &&
           decoder_->Decode(indexLength_, &indexSink) == LzmaResult::Ok && indexSink.Match(header + IndexDigestAt) &&
           ReadIndex();
}

// The index's entries are walked where they lie: a part is named by the offset of its entry.
size_t PayloadReader::EntryEnd(size_t at) const {
    return at + PartEntryFixedSize + static_cast<size_t>(Number(&index_[at + PartKindAt + 1], 2));
}

std::string_view PayloadReader::EntryName(size_t at) const {
    return std::string_view(index_).substr(at + PartEntryFixedSize, EntryEnd(at) - at - PartEntryFixedSize);
}

bool PayloadReader::ReadIndex() {
    uint64_t total = indexLength_;
    for (size_t at = 0; at < index_.size(); at = EntryEnd(at)) {
        if (index_.size() - at < PartEntryFixedSize || EntryEnd(at) > index_.size()) return false;
        const auto kind = static_cast<PartKind>(index_[at + PartKindAt]);
        const uint64_t size = Number(&index_[at], 8);
        // Two parts of one name would be one file to ask for: which one is meant is not known.
        if (kind > PartKind::Program || size > decoder_->StatedSize() - total ||
            Find(kind, EntryName(at), at) < at)
            return false;
        total += size;
    }
    return total == decoder_->StatedSize();
}

bool PayloadReader::StartStream() {
    readTo_ = streamAt_;
    next_ = 0;
    decoder_ = std::make_unique<LzmaDecoder>(static_cast<LzmaInput&>(*this));
    return decoder_->Start(MaxPayloadDictionary) == LzmaResult::Ok;
}

size_t PayloadReader::Find(PartKind kind, std::string_view name, size_t end) const {
    size_t at = 0;
    for (; at < end; at = EntryEnd(at))
        if (static_cast<PartKind>(index_[at + PartKindAt]) == kind &&
            EqualIgnoringAsciiCase(EntryName(at), name))
            break;
    return at;
}

PartCopy PayloadReader::Decode(size_t entry, HANDLE out, std::string* text) {
    PartSink sink(out, text);
    const LzmaResult result = decoder_->Decode(Number(&index_[entry], 8), &sink);
    next_ = EntryEnd(entry);
    if (sink.Failed()) return PartCopy::TargetFailed;
    return result == LzmaResult::Ok && sink.Crc() == Number(&index_[entry + PartCrcAt], 4) ? PartCopy::Done
                                                                                         : PartCopy::Damaged;
}

PartCopy PayloadReader::WriteProgram(const std::string& fields, HANDLE out) {
    if (fields.size() < ProgramFieldsSize) return PartCopy::Damaged;
    FileSink sink(out);
    const Patch given[3] = {{image_.checksumAt, fields.data(), 4},
                            {image_.certificateEntryAt, fields.data() + 4, 8},
                            {slotAt_, nullptr, DigestTextSize}};
    const auto* signature = reinterpret_cast<const unsigned char*>(fields.data()) + ProgramFieldsSize;
    return SendPatched(file_, image_.end, given, sink) && sink.Write(signature, fields.size() - ProgramFieldsSize)
               ? PartCopy::Done
               : PartCopy::TargetFailed;
}

PartCopy PayloadReader::Copy(PartKind kind, const std::string& name, HANDLE out, std::string* text) {
    const size_t wanted = Find(kind, name, index_.size());
    if (wanted == index_.size()) return PartCopy::Missing;
    // The index was checked when the payload was opened; after it come the parts.
    if (wanted < next_ && (!StartStream() || decoder_->Decode(indexLength_, nullptr) != LzmaResult::Ok))
        return PartCopy::Damaged;
    // The parts before it are decoded to no file, and checked all the same.
    while (next_ < wanted)
        if (Decode(next_, INVALID_HANDLE_VALUE, nullptr) != PartCopy::Done) return PartCopy::Damaged;
    if (kind != PartKind::Program) return Decode(wanted, out, text);
    std::string fields;
    const PartCopy decoded = Decode(wanted, INVALID_HANDLE_VALUE, &fields);
    return decoded == PartCopy::Done ? WriteProgram(fields, out) : decoded;
}
