#include "fsutil/FileRange.h"

#include <string>

#include "base/ContentDigest.h"

namespace {

constexpr DWORD ChunkSize = 256 * 1024;

// Calls `use(bytes, size)` for each chunk of the stretch; false when a read or a use fails.
template <class Use>
bool ForEachChunk(HANDLE file, uint64_t at, uint64_t length, Use use) {
    std::string buffer(length < ChunkSize ? static_cast<size_t>(length) : ChunkSize, '\0');
    for (uint64_t done = 0; done < length;) {
        const DWORD size = length - done < ChunkSize ? static_cast<DWORD>(length - done) : ChunkSize;
        if (!ReadFileBytes(file, at + done, buffer.data(), size) || !use(buffer.data(), size)) return false;
        done += size;
    }
    return true;
}

}  // namespace

bool ReadFileBytes(HANDLE file, uint64_t at, void* buffer, DWORD size) {
    LARGE_INTEGER position;
    position.QuadPart = static_cast<LONGLONG>(at);
    DWORD got = 0;
    return SetFilePointerEx(file, position, nullptr, FILE_BEGIN) && ReadFile(file, buffer, size, &got, nullptr) &&
           got == size;
}

bool AddFileBytes(DigestStream& digest, HANDLE file, uint64_t at, uint64_t length) {
    return ForEachChunk(file, at, length, [&digest](const char* bytes, DWORD size) {
        digest.Add(bytes, size);
        return true;
    });
}

bool CopyFileBytes(HANDLE file, uint64_t at, uint64_t length, HANDLE target) {
    return ForEachChunk(file, at, length, [target](const char* bytes, DWORD size) {
        DWORD written = 0;
        return WriteFile(target, bytes, size, &written, nullptr) && written == size;
    });
}
