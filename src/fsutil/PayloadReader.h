#pragma once
#include <windows.h>

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "base/LzmaDecoder.h"
#include "fsutil/PayloadFormat.h"

// Where a program's image lies in its file, as its headers tell.
struct ImageFacts {
    uint64_t end = 0;  // of the last section's raw data
    uint64_t checksumAt = 0;
    uint64_t certificateEntryAt = 0;
};

// The facts of the program whose headers (as loaded, or as its file begins) are at `headers`.
ImageFacts ImageFactsOf(const void* headers);

// How a request for a part ended. Damaged: the payload gave other bytes than it was built with.
enum class PartCopy { Done, Missing, Damaged, TargetFailed };

// The payload of a one-file setup (fsutil/PayloadFormat.h), read through a file handle its
// caller holds open for as long as the reader lives. Parts are decoded forward from the stream
// and checked against their CRCs as they are; asking for an earlier part starts the stream
// again.
class PayloadReader : private LzmaInput {
public:
    PayloadReader() = default;
    PayloadReader(const PayloadReader&) = delete;
    PayloadReader& operator=(const PayloadReader&) = delete;

    // Checks the payload after the image of `file` before anything is taken from it: its header
    // must be the one whose digest is `headerDigest` (64 hexadecimal digits), the image, the
    // stream and the index what the header records, and no two parts of one kind may share a
    // name. False when any is not.
    bool Open(HANDLE file, const ImageFacts& image, const char* headerDigest);
    // True when the payload holds the part `name` of `kind` (letter case aside): a package file
    // by the name the script gives it, not by its media name.
    bool Holds(PartKind kind, const std::string& name) const { return Find(kind, name, index_.size()) < index_.size(); }
    // Writes the part `name` of `kind` into `out`, a file open for writing, or appends it to
    // `text` when that is given. The program's own part comes out as the program's file was
    // given to the build.
    PartCopy Copy(PartKind kind, const std::string& name, HANDLE out, std::string* text = nullptr);

private:
    size_t Read(unsigned char* buffer, size_t size) override;
    // Where the index's entry at `at` ends.
    size_t EntryEnd(size_t at) const;
    // The name in the index's entry at `at`.
    std::string_view EntryName(size_t at) const;
    // The entry of the part `name` of `kind` before `end`; `end` when there is none.
    size_t Find(PartKind kind, std::string_view name, size_t end) const;
    bool ReadIndex();
    bool StartStream();
    // Decodes the part whose entry is at `entry`.
    PartCopy Decode(size_t entry, HANDLE out, std::string* text);
    PartCopy WriteProgram(const std::string& fields, HANDLE out);

    HANDLE file_ = INVALID_HANDLE_VALUE;
    ImageFacts image_;
    uint64_t slotAt_ = 0;
    uint64_t indexLength_ = 0;
    uint64_t streamAt_ = 0;
    uint64_t streamEnd_ = 0;
    // How far the stream has been read.
    uint64_t readTo_ = 0;
    std::string index_;
    // The entry of the part the stream gives next.
    size_t next_ = 0;
    std::unique_ptr<LzmaDecoder> decoder_;
};
