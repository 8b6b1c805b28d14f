#pragma once
#include <windows.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

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
// and checked against their digests as they are; asking for an earlier part starts the stream
// again.
class PayloadReader : private LzmaInput {
public:
    PayloadReader() = default;
    PayloadReader(const PayloadReader&) = delete;
    PayloadReader& operator=(const PayloadReader&) = delete;

    // Checks the payload after the image of `file` before anything is taken from it: its header
    // must be the one whose digest is `headerDigest`, the image, the stream and the index what
    // the header records, and no two parts may share a media name. False when any is not.
    bool Open(HANDLE file, const ImageFacts& image, const std::string& headerDigest);
    // True when the payload holds a part of the media name `name` (letter case aside).
    bool Holds(const std::string& name) const { return Find(name) < parts_.size(); }
    // Writes the part of the media name `name` into `out`, a file open for writing, or appends it
    // to `text` when that is given. The program's own part comes out as the program's file was
    // given to the build.
    PartCopy Copy(const std::string& name, HANDLE out, std::string* text = nullptr);

private:
    struct Part {
        std::string mediaName;
        PartKind kind;
        uint64_t size;
        size_t digestAt;  // in index_
    };

    size_t Read(unsigned char* buffer, size_t size) override;
    size_t Find(const std::string& name) const;
    bool ReadIndex();
    bool StartStream();
    PartCopy Decode(const Part& part, HANDLE out, std::string* text);
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
    std::vector<Part> parts_;
    // The part the stream gives next.
    size_t next_ = 0;
    std::unique_ptr<LzmaDecoder> decoder_;
};
