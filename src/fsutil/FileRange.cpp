#include "fsutil/FileRange.h"

#include <string>

#include "base/ContentDigest.h"

namespace {

constexpr DWORD ChunkSize = 256 * 1024;

class DigestSink : public ByteSink {
public:
    explicit DigestSink(DigestStream& digest) : digest_(digest) {}
    bool Write(const unsigned char* bytes, size_t size) override {
        digest_.Add(bytes, size);
        return true;
    }

private:
    DigestStream& digest_;
};

}  // namespace

bool FileSink::Write(const unsigned char* bytes, size_t size) {
    DWORD written = 0;
    return WriteFile(file_, bytes, static_cast<DWORD>(size), &written, nullptr) && written == size;
}

bool ReadFileBytes(HANDLE file, uint64_t at, void* buffer, DWORD size) {
    LARGE_INTEGER position;
    position.QuadPart = static_cast<LONGLONG>(at);
    DWORD got = 0;
    return SetFilePointerEx(file, position, nullptr, FILE_BEGIN) && ReadFile(file, buffer, size, &got, nullptr) &&
           got == size;
}

bool SendFileBytes(HANDLE file, uint64_t at, uint64_t length, ByteSink& sink) {
    std::string buffer(length < ChunkSize ? static_cast<size_t>(length) : ChunkSize, '\0');
    auto* bytes = reinterpret_cast<unsigned char*>(buffer.data());
    for (uint64_t done = 0; done < length;) {
        const DWORD size = length - done < ChunkSize ? static_cast<DWORD>(length - done) : ChunkSize;
        if (!ReadFileBytes(file, at + done, bytes, size) || !sink.Write(bytes, size)) return false;
        done += size;
    }
    return true;
}

bool AddFileBytes(DigestStream& digest, HANDLE file, uint64_t at, uint64_t length) {
    DigestSink sink(digest);
    return SendFileBytes(file, at, length, sink);
}
