#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <string>
#include <vector>

#include "e2e/SetupMedia.h"

namespace {

struct Import {
    std::string dll;  // lower case
    std::string function;
};

// The import table of the program file, read from its image as the loader would map it.
std::vector<Import> ImportsOf(const std::string& path) {
    std::vector<Import> imports;
    const HMODULE mapped = LoadLibraryExA(path.c_str(), nullptr, LOAD_LIBRARY_AS_IMAGE_RESOURCE);
    if (!mapped) return imports;
    // The low bits of such a module mark how it was mapped.
    const auto* base = reinterpret_cast<const BYTE*>(reinterpret_cast<ULONG_PTR>(mapped) & ~ULONG_PTR{3});
    const auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(base);
    const auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
    const IMAGE_DATA_DIRECTORY& directory = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
    for (auto* entry = reinterpret_cast<const IMAGE_IMPORT_DESCRIPTOR*>(base + directory.VirtualAddress);
         directory.VirtualAddress && entry->Name; ++entry) {
        std::string dll = reinterpret_cast<const char*>(base + entry->Name);
        CharLowerBuffA(dll.data(), static_cast<DWORD>(dll.size()));
        const DWORD names = entry->OriginalFirstThunk ? entry->OriginalFirstThunk : entry->FirstThunk;
        for (auto* thunk = reinterpret_cast<const IMAGE_THUNK_DATA*>(base + names); thunk->u1.AddressOfData; ++thunk) {
            if (IMAGE_SNAP_BY_ORDINAL(thunk->u1.Ordinal)) {
                imports.push_back({dll, "#ordinal"});
                continue;
            }
            const auto* byName = reinterpret_cast<const IMAGE_IMPORT_BY_NAME*>(base + thunk->u1.AddressOfData);
            imports.push_back({dll, reinterpret_cast<const char*>(byName->Name)});
        }
    }
    FreeLibrary(mapped);
    return imports;
}

bool StartsWith(const std::string& text, const char* prefix) { return text.rfind(prefix, 0) == 0; }

}  // namespace

// A static import is resolved before the program's first instruction, with the ordinary search
// order: only the known DLLs (and what they load themselves) are always taken from the System
// folder. A function that a known DLL forwards to another DLL brings that DLL in by the same
// search, so a copy beside the program would be loaded into the elevated process.
TEST(ShippedImports, OnlyKnownDllsAndNoFunctionTheyForwardElsewhere) {
    const std::vector<Import> imports = ImportsOf(SetupExePath());
    ASSERT_FALSE(imports.empty());
    // ntdll.dll is mapped into every process by the kernel before any search could be made. The
    // window and shell DLLs (user32, gdi32, ole32, shell32) are known too, but not among these: they
    // are loaded when the program first calls into them (the late imports), and a function of
    // theirs here would bring them, and the window system, into every unattended run at start.
    const std::vector<std::string> knownDlls = {"kernel32.dll", "advapi32.dll", "msvcrt.dll", "ntdll.dll"};
    for (const Import& import : imports) {
        EXPECT_NE(std::find(knownDlls.begin(), knownDlls.end(), import.dll), knownDlls.end()) << import.dll;
        EXPECT_NE(import.function, "#ordinal") << import.dll;
        // advapi32 forwards SystemFunction036 (RtlGenRandom), 040 and 041 to cryptbase.dll, the
        // other SystemFunctions and the Crypt functions to cryptsp.dll; neither is a known DLL.
        if (import.dll == "advapi32.dll") {
            EXPECT_FALSE(StartsWith(import.function, "SystemFunction")) << import.function;
            EXPECT_FALSE(StartsWith(import.function, "Crypt")) << import.function;
        }
    }
}

