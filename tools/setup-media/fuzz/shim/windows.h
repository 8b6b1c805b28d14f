#pragma once
// What setup.exe's payload reader (src/fsutil/PayloadReader.cpp) and its file ranges
// (src/fsutil/FileRange.cpp) use of the platform, so that both build unchanged on Linux for
// fuzzing. A HANDLE is a MemoryFile: the file's bytes and its file pointer. The image structures
// have the platform's layout for x86-64, so ImageFactsOf finds the fields where Windows has them.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>

using BYTE = unsigned char;
using WORD = uint16_t;
using DWORD = uint32_t;
using LONG = int32_t;
using LONGLONG = int64_t;
using ULONGLONG = uint64_t;
using BOOL = int;
using HANDLE = void*;

struct MemoryFile {
    std::string bytes;
    uint64_t pointer = 0;
};

#define INVALID_HANDLE_VALUE (reinterpret_cast<HANDLE>(~uintptr_t{0}))
#define FILE_BEGIN 0

union LARGE_INTEGER {
    LONGLONG QuadPart;
};

BOOL GetFileSizeEx(HANDLE file, LARGE_INTEGER* size);
BOOL SetFilePointerEx(HANDLE file, LARGE_INTEGER to, LARGE_INTEGER* now, DWORD method);
BOOL ReadFile(HANDLE file, void* buffer, DWORD size, DWORD* read, void* overlapped);
BOOL WriteFile(HANDLE file, const void* buffer, DWORD size, DWORD* written, void* overlapped);

struct IMAGE_DOS_HEADER {
    WORD e_magic;
    WORD e_unused[29];
    LONG e_lfanew;
};

struct IMAGE_FILE_HEADER {
    WORD Machine;
    WORD NumberOfSections;
    DWORD TimeDateStamp;
    DWORD PointerToSymbolTable;
    DWORD NumberOfSymbols;
    WORD SizeOfOptionalHeader;
    WORD Characteristics;
};

struct IMAGE_DATA_DIRECTORY {
    DWORD VirtualAddress;
    DWORD Size;
};

#define IMAGE_DIRECTORY_ENTRY_SECURITY 4

struct IMAGE_OPTIONAL_HEADER64 {
    WORD Magic;
    BYTE MajorLinkerVersion;
    BYTE MinorLinkerVersion;
    DWORD SizeOfCode;
    DWORD SizeOfInitializedData;
    DWORD SizeOfUninitializedData;
    DWORD AddressOfEntryPoint;
    DWORD BaseOfCode;
    ULONGLONG ImageBase;
    DWORD SectionAlignment;
    DWORD FileAlignment;
    WORD Versions[6];
    DWORD Win32VersionValue;
    DWORD SizeOfImage;
    DWORD SizeOfHeaders;
    DWORD CheckSum;
    WORD Subsystem;
    WORD DllCharacteristics;
    ULONGLONG StackAndHeapSizes[4];
    DWORD LoaderFlags;
    DWORD NumberOfRvaAndSizes;
    IMAGE_DATA_DIRECTORY DataDirectory[16];
};

struct IMAGE_NT_HEADERS {
    DWORD Signature;
    IMAGE_FILE_HEADER FileHeader;
    IMAGE_OPTIONAL_HEADER64 OptionalHeader;
};

struct IMAGE_SECTION_HEADER {
    BYTE Name[8];
    DWORD VirtualSize;
    DWORD VirtualAddress;
    DWORD SizeOfRawData;
    DWORD PointerToRawData;
    DWORD PointerToRelocations;
    DWORD PointerToLinenumbers;
    WORD NumberOfRelocations;
    WORD NumberOfLinenumbers;
    DWORD Characteristics;
};

static_assert(offsetof(IMAGE_DOS_HEADER, e_lfanew) == 0x3c);
static_assert(offsetof(IMAGE_NT_HEADERS, OptionalHeader) + offsetof(IMAGE_OPTIONAL_HEADER64, CheckSum) == 24 + 64);
static_assert(offsetof(IMAGE_OPTIONAL_HEADER64, DataDirectory) == 112);
static_assert(sizeof(IMAGE_SECTION_HEADER) == 40);

#define IMAGE_FIRST_SECTION(nt)                                                                              \
    (reinterpret_cast<const IMAGE_SECTION_HEADER*>(reinterpret_cast<const BYTE*>(&(nt)->OptionalHeader) + \
                                                   (nt)->FileHeader.SizeOfOptionalHeader))
