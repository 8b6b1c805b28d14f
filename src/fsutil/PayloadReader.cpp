#include "fsutil/PayloadReader.h"

#include "base/AsciiCase.h"
#include "base/ContentDigest.h"
#include "fsutil/FileNames.h"
#include "fsutil/FileRange.h"

namespace {

uint64_t Number(const char* bytes, size_t size) {
    uint64_t value = 0;
    while (size-- > 0) value = value << 8 | static_cast<unsigned char>(bytes[size]);
    return value;
}

bool SameName(const std::string& a, const std::string& b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (AsciiLower(a[i]) != AsciiLower(b[i])) return false;
    return true;
}

// A part's bytes on their way: into its digest, and into a file or a text when one is given.
class PartSink : public ByteSink {
public:
    PartSink(HANDLE out, std::string* text) : file_(out), writes_(out != INVALID_HANDLE_VALUE), text_(text) {}
    bool Write(const unsigned char* bytes, size_t size) override {
        digest_.Add(bytes, size);
        if (text_) text_->append(reinterpret_cast<const char*>(bytes), size);
        if (writes_ && !file_.Write(bytes, size)) targetFailed_ = true;
        return !targetFailed_;
    }
    bool TargetFailed() const { return targetFailed_; }
    std::string Digest() { return digest_.Finish(); }

private:
    FileSink file_;
    bool writes_;
    std::string* text_;
    DigestStream digest_;
    bool targetFailed_ = false;
};

// Bytes that stand in the file's place at `at`.
struct Patch {
    uint64_t at;
    const void* bytes;
    size_t size;
};

// The file from its start to `end` into `sink`, with `patches` (in order, inside it) in place of
// the file's bytes there.
bool SendPatched(HANDLE file, uint64_t end, const Patch (&patches)[3], ByteSink& sink) {
    uint64_t at = 0;
    for (const Patch& patch : patches) {
        if (!SendFileBytes(file, at, patch.at - at, sink) ||
            !sink.Write(static_cast<const unsigned char*>(patch.bytes), patch.size))
            return false;
        at = patch.at + patch.size;
    }
    return SendFileBytes(file, at, end - at, sink);
}

constexpr char Zeros[DigestTextSize] = {};

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

size_t FileRangeInput::Read(unsigned char* buffer, size_t size) {
    const DWORD taken = static_cast<DWORD>(end_ - at_ < size ? end_ - at_ : size);
    if (taken == 0 || !ReadFileBytes(file_, at_, buffer, taken)) return 0;
    at_ += taken;
    return taken;
}

bool PayloadReader::Open(HANDLE file, const ImageFacts& image, const std::string& headerDigest) {
    file_ = file;
    image_ = image;
    char header[PayloadHeaderSize];
    LARGE_INTEGER fileSize;
    if (!GetFileSizeEx(file, &fileSize) || !ReadFileBytes(file, image.end, header, sizeof header) ||
        memcmp(header, PayloadMark, sizeof PayloadMark) != 0)
        return false;
    DigestStream headerCheck;
    headerCheck.Add(header, sizeof header);
    if (headerCheck.Finish() != headerDigest || Number(header + VersionAt, 4) != PayloadVersion) return false;
    slotAt_ = Number(header + SlotDigestAt, 4);
    indexLength_ = Number(header + IndexLengthAt, 8);
    streamLength_ = Number(header + StreamLengthAt, 8);
    streamAt_ = image.end + sizeof header;
    if (slotAt_ < image.certificateEntryAt + 8 || slotAt_ > image.end - DigestTextSize ||
        streamLength_ > static_cast<uint64_t>(fileSize.QuadPart) - streamAt_)
        return false;

    DigestStream imageDigest, streamDigest;
    const Patch zeros[3] = {{image.checksumAt, Zeros, 4}, {image.certificateEntryAt, Zeros, 8}, {slotAt_, Zeros, DigestTextSize}};
    std::string index;
    PartSink imageSink(INVALID_HANDLE_VALUE, nullptr), indexSink(INVALID_HANDLE_VALUE, &index);
    if (!SendPatched(file, image.end, zeros, imageSink) ||
        imageSink.Digest() != std::string(header + ImageDigestAt, DigestTextSize) ||
        !AddFileBytes(streamDigest, file, streamAt_, streamLength_) ||
        streamDigest.Finish() != std::string(header + StreamDigestAt, DigestTextSize) || !StartStream() ||
        indexLength_ > decoder_->StatedSize() || decoder_->Decode(indexLength_, &indexSink) != LzmaResult::Ok ||
        indexSink.Digest() != std::string(header + IndexDigestAt, DigestTextSize))
        return false;
    return ReadIndex(index);
}

bool PayloadReader::ReadIndex(const std::string& index) {
    uint64_t total = indexLength_;
    for (size_t at = 0; at < index.size();) {
        if (index.size() - at < PartEntryFixedSize) return false;
        const char* entry = index.data() + at;
        const auto kind = static_cast<PartKind>(entry[PartKindAt]);
        const size_t nameLength = static_cast<size_t>(Number(entry + PartKindAt + 1, 2));
        at += PartEntryFixedSize;
        if (nameLength > index.size() - at || kind > PartKind::Program) return false;
        const std::string name = index.substr(at, nameLength);
        Part part{kind == PartKind::Package ? CompressedFileName(name) : name, kind, Number(entry, 8),
                  std::string(entry + 8, DigestTextSize)};
        if (part.size > decoder_->StatedSize() - total) return false;
        total += part.size;
        // Two parts of one name would be one file on the media: which one is meant is not known.
        for (const Part& earlier : parts_)
            if (SameName(earlier.mediaName, part.mediaName)) return false;
        parts_.push_back(part);
        at += nameLength;
    }
    return total == decoder_->StatedSize();
}

bool PayloadReader::StartStream() {
    input_ = std::make_unique<FileRangeInput>(file_, streamAt_, streamAt_ + streamLength_);
    decoder_ = std::make_unique<LzmaDecoder>(*input_);
    next_ = 0;
    return decoder_->Start(MaxPayloadDictionary) == LzmaResult::Ok;
}

// The index was checked when the payload was opened; after it come the parts.
bool PayloadReader::Restart() { return StartStream() && decoder_->Decode(indexLength_, nullptr) == LzmaResult::Ok; }

bool PayloadReader::Holds(const std::string& name) const {
    for (const Part& part : parts_)
        if (SameName(part.mediaName, name)) return true;
    return false;
}

PartCopy PayloadReader::Decode(const Part& part, HANDLE out, std::string* text) {
    PartSink sink(out, text);
    const LzmaResult result = decoder_->Decode(part.size, &sink);
    ++next_;
    if (sink.TargetFailed()) return PartCopy::TargetFailed;
    return result == LzmaResult::Ok && sink.Digest() == part.digest ? PartCopy::Done : PartCopy::Damaged;
}

PartCopy PayloadReader::WriteProgram(const std::string& fields, HANDLE out) {
    if (fields.size() < ProgramFieldsSize) return PartCopy::Damaged;
    PartSink sink(out, nullptr);
    const Patch given[3] = {{image_.checksumAt, fields.data(), 4},
                            {image_.certificateEntryAt, fields.data() + 4, 8},
                            {slotAt_, Zeros, DigestTextSize}};
    const auto* signature = reinterpret_cast<const unsigned char*>(fields.data()) + ProgramFieldsSize;
    return SendPatched(file_, image_.end, given, sink) && sink.Write(signature, fields.size() - ProgramFieldsSize)
               ? PartCopy::Done
               : PartCopy::TargetFailed;
}

PartCopy PayloadReader::Copy(const std::string& name, HANDLE out, std::string* text) {
    size_t wanted = 0;
    while (wanted < parts_.size() && !SameName(parts_[wanted].mediaName, name)) ++wanted;
    if (wanted == parts_.size()) return PartCopy::Missing;
    if (wanted < next_ && !Restart()) return PartCopy::Damaged;
    // The parts before it are decoded to no file, and checked all the same.
    while (next_ < wanted)
        if (Decode(parts_[next_], INVALID_HANDLE_VALUE, nullptr) != PartCopy::Done) return PartCopy::Damaged;
    const Part& part = parts_[wanted];
    if (part.kind != PartKind::Program) return Decode(part, out, text);
    std::string fields;
    const PartCopy decoded = Decode(part, INVALID_HANDLE_VALUE, &fields);
    return decoded == PartCopy::Done ? WriteProgram(fields, out) : decoded;
}
