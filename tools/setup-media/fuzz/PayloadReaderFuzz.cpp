// setup.exe's payload reader (src/fsutil/PayloadReader.cpp, built for Linux over shim/windows.h)
// on the files of FuzzedOneFile.h, with the stand-in program as the running image and the file's
// own slot as the digest it trusts, as a crafted download has them. Every part the index names is
// asked for, in its order and then the first again (which starts the stream over). Where
// setup-media's reader takes the file, setup.exe's must open it and give the same bytes.
#include <cstdlib>
#include <optional>
#include <vector>

#include "FuzzedOneFile.h"
#include "fsutil/PayloadReader.h"
#include "media/BuildError.h"
#include "media/LittleEndian.h"
#include "media/OneFile.h"

namespace {

struct Named {
    PartKind kind;
    std::string name;
};

// The parts the index names, as far as it can be walked.
std::vector<Named> NamesIn(const std::string& index) {
    std::vector<Named> names;
    for (size_t at = 0; Within(at, PartEntryFixedSize, index.size());) {
        const size_t length = LittleEndian16(index, at + PartKindAt + 1);
        if (!Within(at + PartEntryFixedSize, length, index.size())) break;
        names.push_back({static_cast<PartKind>(index[at + PartKindAt]), index.substr(at + PartEntryFixedSize, length)});
        at += PartEntryFixedSize + length;
    }
    return names;
}

std::optional<std::vector<PayloadPart>> SetupMediaReads(const std::string& file) {
    try {
        return ReadOneFile(file, "fuzzed.exe");
    } catch (const BuildError&) {
        return std::nullopt;
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const FuzzedOneFile input = OneFileOfInput(data, size);
    if (!input.sealed) return 0;
    MemoryFile file{input.file};
    const size_t slot = input.file.find(std::string(SlotTag, sizeof SlotTag)) + sizeof SlotTag;
    const std::string trusted = input.file.substr(slot, DigestTextSize);
    PayloadReader reader;
    const bool opened = reader.Open(&file, ImageFactsOf(FuzzedProgram().data()), trusted.c_str());
    const std::optional<std::vector<PayloadPart>> expected = SetupMediaReads(input.file);
    if (expected && !opened) std::abort();
    if (!opened) return 0;
    std::vector<Named> names = NamesIn(input.index);
    if (!names.empty()) names.push_back(names.front());
    for (const Named& named : names) {
        MemoryFile out;
        const PartCopy copied = reader.Copy(named.kind, named.name, &out);
        if (!expected) continue;
        // Both readers took the file: the part must come out as setup-media reads it.
        for (const PayloadPart& part : *expected)
            if (part.kind == named.kind && part.name == named.name && (copied != PartCopy::Done || out.bytes != part.content))
                std::abort();
    }
    return 0;
}
