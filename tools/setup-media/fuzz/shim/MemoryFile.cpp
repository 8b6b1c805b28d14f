#include <windows.h>

#include <algorithm>

// The platform's file calls over a MemoryFile, as they behave on a file open for reading and
// writing: a read past the end gives fewer bytes, a write extends the file.

namespace {

MemoryFile& File(HANDLE file) { return *static_cast<MemoryFile*>(file); }

}  // namespace

BOOL GetFileSizeEx(HANDLE file, LARGE_INTEGER* size) {
    if (file == INVALID_HANDLE_VALUE) return 0;
    size->QuadPart = static_cast<LONGLONG>(File(file).bytes.size());
    return 1;
}

BOOL SetFilePointerEx(HANDLE file, LARGE_INTEGER to, LARGE_INTEGER* now, DWORD method) {
    if (file == INVALID_HANDLE_VALUE || method != FILE_BEGIN || to.QuadPart < 0) return 0;
    File(file).pointer = static_cast<uint64_t>(to.QuadPart);
    if (now) *now = to;
    return 1;
}

BOOL ReadFile(HANDLE file, void* buffer, DWORD size, DWORD* read, void*) {
    if (file == INVALID_HANDLE_VALUE) return 0;
    MemoryFile& memory = File(file);
    const uint64_t left = memory.pointer < memory.bytes.size() ? memory.bytes.size() - memory.pointer : 0;
    *read = static_cast<DWORD>(std::min<uint64_t>(size, left));
    std::memcpy(buffer, memory.bytes.data() + (memory.pointer < memory.bytes.size() ? memory.pointer : 0), *read);
    memory.pointer += *read;
    return 1;
}

BOOL WriteFile(HANDLE file, const void* buffer, DWORD size, DWORD* written, void*) {
    if (file == INVALID_HANDLE_VALUE) return 0;
    MemoryFile& memory = File(file);
    if (memory.bytes.size() < memory.pointer) memory.bytes.resize(memory.pointer, '\0');
    memory.bytes.replace(memory.pointer, std::min<uint64_t>(size, memory.bytes.size() - memory.pointer),
                         static_cast<const char*>(buffer), size);
    memory.pointer += size;
    *written = size;
    return 1;
}
