#include <gtest/gtest.h>

#include <map>

#include "base/ContentDigest.h"
#include "base/Crc32.h"
#include "compress/LzmaEncoder.h"
#include "fsutil/PayloadFormat.h"
#include "media/BuildError.h"
#include "media/LittleEndian.h"
#include "media/OneFile.h"
#include "support/RunTool.h"
#include "support/StandInProgram.h"
#include "support/TempTree.h"

namespace fs = std::filesystem;

// Files made to mislead the one-file reader: each offset and length it reads from a file points
// outside what holds it, or over another field. Every command that reads one-file setups refuses
// each with its error exit and one clear line, and writes nothing; the suite runs this table in
// a build with the address and undefined-behaviour sanitizers too, where a read or write outside
// a buffer fails it.

namespace {

// Offsets of the stand-in program's headers.
constexpr size_t Lfanew = 0x3c;
constexpr size_t Pe = 0x40;
constexpr size_t SectionCount = Pe + 6;
constexpr size_t OptionalSize = Pe + 20;
constexpr size_t Checksum = Pe + 24 + 64;
constexpr size_t CertificateEntry = Pe + 24 + 112 + 32;
constexpr size_t Section = Pe + 24 + 0xF0;
constexpr size_t RawSize = Section + 16;
constexpr size_t RawOffset = Section + 20;
constexpr size_t Header = StandInImageSize;
constexpr size_t Slot = StandInSlotAt + sizeof SlotTag;

std::string Entry(uint64_t size, uint32_t crc, unsigned kind, const std::string& name) {
    std::string entry(PartEntryFixedSize, '\0');
    PutLittleEndian(entry, 0, size, 8);
    PutLittleEndian(entry, PartCrcAt, crc, 4);
    PutLittleEndian(entry, PartKindAt, kind, 1);
    PutLittleEndian(entry, PartKindAt + 1, name.size(), 2);
    return entry + name;
}

std::string Compressed(const std::string& unpacked) {
    return LzmaCompress({reinterpret_cast<const unsigned char*>(unpacked.data()), unpacked.size()}, {});
}

// A one-file setup of the stand-in program whose payload holds the one part `name`, "text".
std::string Sealed(const std::string& index, const std::string& stream) {
    return SealOneFile(StandInProgram("setup program"), index, stream);
}
// The one-file setup whose stream holds `index`, then "text".
std::string Holding(const std::string& index) { return Sealed(index, Compressed(index + "text")); }
std::string Sound() { return Holding(Entry(4, Crc32(0, "text", 4), 0, "install.ini")); }

// The header's digest written into the slot again after the header or the slot moved, as a
// crafter would, so the reader goes on to the fields after it.
std::string Resealed(std::string file, size_t slot, size_t header) {
    file.replace(slot, DigestTextSize, ContentDigest(file.substr(header, PayloadHeaderSize)));
    return file;
}

std::string With(std::string file, size_t at, uint64_t value, size_t size) {
    PutLittleEndian(file, at, value, size);
    return file;
}

// The stand-in's slot moved to `slot` (its tag before it), over the headers' fields.
std::string SlotMovedTo(size_t slot) {
    std::string file = Sound();
    file.replace(StandInSlotAt, sizeof SlotTag + DigestTextSize, sizeof SlotTag + DigestTextSize, '\0');
    file.replace(slot - sizeof SlotTag, sizeof SlotTag, SlotTag, sizeof SlotTag);
    return Resealed(With(file, Header + SlotDigestAt, slot, 4), slot, Header);
}

// An image that ends before its optional header: the slot in the DOS stub, the payload's header
// where the image ends, the program's headers after it.
std::string ImageEndingBeforeItsHeaders() {
    std::string file = StandInProgram("setup program");
    const size_t pe = 0x200, slot = 0x48, header = 0x100;
    std::string headers = file.substr(Pe, Section + 40 - Pe);
    file.replace(StandInSlotAt, sizeof SlotTag, sizeof SlotTag, '\0');
    file.replace(pe, headers.size(), headers);
    PutLittleEndian(file, Lfanew, pe, 4);
    PutLittleEndian(file, pe + (RawSize - Pe), header, 4);
    PutLittleEndian(file, pe + (RawOffset - Pe), 0, 4);
    file.replace(slot - sizeof SlotTag, sizeof SlotTag, SlotTag, sizeof SlotTag);
    std::string payload = Sound().substr(Header, PayloadHeaderSize);
    PutLittleEndian(payload, SlotDigestAt, slot, 4);
    PutLittleEndian(payload, StreamLengthAt, 0, 8);
    file.replace(header, payload.size(), payload);
    file.resize(0x600, '\0');
    return Resealed(file, slot, header);
}

// The sound file with the LZMA stream's header changed at `at` (dictionary 1, stated size 5).
std::string StreamHeaderChanged(size_t at, uint64_t value, size_t size) {
    const std::string index = Entry(4, Crc32(0, "text", 4), 0, "install.ini");
    return Sealed(index, With(Compressed(index + "text"), at, value, size));
}

struct Crafted {
    std::string file;
    std::string line;  // what the error line says after the file's name
};

std::map<std::string, Crafted> Table() {
    const std::string notOneFile = " is not a one-file setup";
    const std::string index = Entry(4, Crc32(0, "text", 4), 0, "install.ini");
    const std::string sound = Sound();
    return {
        {"image ends before the optional header", {ImageEndingBeforeItsHeaders(), notOneFile}},
        {"slot over the checksum", {SlotMovedTo(Checksum - 8), notOneFile}},
        {"slot over the certificate entry", {SlotMovedTo(CertificateEntry), notOneFile}},
        {"e_lfanew at the end of the file", {With(sound, Lfanew, sound.size() - 4, 4), notOneFile}},
        {"e_lfanew past the end of the file", {With(sound, Lfanew, 0xFFFFFFF0, 4), notOneFile}},
        {"section end overflows 32 bits", {With(With(sound, RawOffset, 0xFFFFFFF0, 4), RawSize, 0x400, 4), notOneFile}},
        {"section table past the end", {With(sound, SectionCount, 0xFFFF, 2), notOneFile}},
        {"optional header without the certificate entry", {With(sound, OptionalSize, 0x80, 2), notOneFile}},
        {"file shorter than a DOS header", {sound.substr(0, 0x30), notOneFile}},
        {"stream past the end of the file",
         {Resealed(With(sound, Header + StreamLengthAt, 0xFFFFFFFFFFFF, 8), Slot, Header), " is damaged: it is cut short"}},
        {"header's slot elsewhere",
         {Resealed(With(sound, Header + SlotDigestAt, Slot + 1, 4), Slot, Header),
          " is damaged: its program differs from what it was built with"}},
        {"part larger than the stream",
         {Holding(Entry(1ull << 40, 0, 0, "install.ini")), " is damaged: its index does not match its stream"}},
        {"index longer than the stream", {Sealed(index + std::string(64, 'x'), Compressed(index + "text")),
                                          " is damaged: its index is malformed"}},
        {"name past the end of the index", {Holding(index.substr(0, PartEntryFixedSize - 2) + "\xff\xff"),
                                            " is damaged: its index is malformed"}},
        {"unknown part kind", {Holding(Entry(4, 0, 9, "a")), " is damaged: its index is malformed"}},
        {"stream states more than it can hold", {StreamHeaderChanged(5, 1ull << 40, 8),
                                                 " is damaged: its stream states more than it can hold"}},
        {"dictionary larger than a reader allows", {StreamHeaderChanged(1, 0xFFFFFFFF, 4),
                                                    " is damaged: its stream cannot be read"}},
    };
}

}  // namespace

TEST(CraftedOneFile, EveryReaderRefusesItWithOneClearLine) {
    TempTree temp;
    const fs::path crafted = temp / "crafted.exe", out = temp / "unpacked";
    const std::string script = SETUP_REPO_ROOT "/examples/notes/install.ini";
    for (const auto& [name, craft] : Table()) {
        SCOPED_TRACE(name);
        WriteFile(crafted, craft.file);
        const std::string expected = "setup-media: error: " + crafted.string() + craft.line + "\n";
        const ToolRun unpacked = RunTool({"unpack", crafted.string(), "--out", out.string()});
        EXPECT_EQ(unpacked.exitCode, 2);
        EXPECT_EQ(unpacked.err, expected);
        EXPECT_FALSE(fs::exists(out));
        const ToolRun checked = RunTool({"check", script, "--media", crafted.string()});
        EXPECT_EQ(checked.exitCode, 2);
        EXPECT_EQ(checked.err, expected);
    }
    // The table's files differ from a sound one only where it says: that one unpacks.
    WriteFile(crafted, Sound());
    const ToolRun unpacked = RunTool({"unpack", crafted.string(), "--out", out.string()});
    EXPECT_EQ(unpacked.exitCode, 0) << unpacked.err;
    EXPECT_EQ(ReadFile(out / "disk01" / "install.ini").substr(0, 2), "\xff\xfe");
}

// A setup program whose image ends before its headers' fields, or whose slot lies over them,
// cannot be made into a one-file setup.
TEST(CraftedOneFile, BuildRefusesAProgramWithItsFieldsOutsideTheImage) {
    std::string program = StandInProgram("setup program");
    PutLittleEndian(program, RawOffset, 0, 4);
    PutLittleEndian(program, RawSize, 0x80, 4);
    EXPECT_THROW(SealOneFile(program, "", Compressed("")), BuildError);
    program = StandInProgram("setup program");
    program.replace(StandInSlotAt, sizeof SlotTag, sizeof SlotTag, '\0');
    program.replace(Checksum - 8, sizeof SlotTag, SlotTag, sizeof SlotTag);
    EXPECT_THROW(SealOneFile(program, "", Compressed("")), BuildError);
}
