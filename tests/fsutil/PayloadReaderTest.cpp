#include <gtest/gtest.h>

#include <windows.h>

#include <map>

#include "base/ContentDigest.h"
#include "base/Crc32.h"
#include "base/OwnedHandle.h"
#include "e2e/SetupMedia.h"
#include "fsutil/PayloadReader.h"
#include "media/OneFile.h"
#include "shared/CompressionEdgeCases.h"
#include "support/TestFiles.h"

namespace {

constexpr size_t SlotTagSize = 8;

PayloadPart Part(const std::string& name, PartKind kind, const std::string& content) { return {name, kind, content, {}}; }

std::vector<PayloadPart> Parts() {
    return {Part("install.ini", PartKind::Plain, "[Package]\r\nname=Parts\r\n"),
            Part("docs\\licence.txt", PartKind::Plain, RepeatingText(2000)),
            Part("setup.exe", PartKind::Program, {}),
            Part("disk01.id", PartKind::Plain, "1\n"),
            Part("big.dat", PartKind::Package, RandomBytes(300000, 3) + RepeatingText(300000)),
            Part("App.exe", PartKind::Package, RandomBytes(5000, 4)),
            Part("notes.txt", PartKind::Package, RepeatingText(3000))};
}

// A one-file setup in a file, open as setup.exe holds its own, and a reader on it that trusts
// the header whose digest the file's image carries.
class OneFileOnDisk {
public:
    explicit OneFileOnDisk(const std::string& bytes) : bytes_(bytes) {
        WriteTextFile(folder_ / "one.exe", bytes);
        file_.Reset(CreateFileA((folder_ / "one.exe").c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
    }
    bool Open(PayloadReader& reader) const {
        const size_t slot = bytes_.find("QUPSLOT:") + SlotTagSize;
        return reader.Open(file_.Get(), ImageFactsOf(bytes_.data()), bytes_.substr(slot, 64).c_str());
    }
    // The part into a file, as the install writes one; its content, or "(failed)".
    std::string CopyToFile(PayloadReader& reader, PartKind kind, const std::string& name) const {
        PartCopy copied;
        {
            const FileHandle out(CreateFileA((folder_ / "part").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                             FILE_ATTRIBUTE_NORMAL, nullptr));
            copied = reader.Copy(kind, name, out.Get());
        }
        return copied == PartCopy::Done ? ReadTextFile(folder_ / "part") : "(failed)";
    }

private:
    std::string bytes_;
    TempFolder folder_;
    FileHandle file_;
};

std::string Program() { return ReadTextFile(SetupExePath()); }

// The header's digest in the slot made anew, as a forger of the header would.
std::string WithHeaderDigestOf(std::string file, size_t headerAt) {
    file.replace(file.find("QUPSLOT:") + SlotTagSize, 64, ContentDigest(file.substr(headerAt, PayloadHeaderSize)));
    return file;
}

}  // namespace

// Every part by its media name, in any order (an earlier one starts the stream again), as text
// or into a file; the program's own part is the program as it was given, byte for byte.
TEST(PayloadReader, GivesEveryPartInAnyOrderAndTheProgramAsGiven) {
    const std::vector<PayloadPart> parts = Parts();
    const OneFileOnDisk oneFile(MakeOneFile(Program(), parts));
    PayloadReader reader;
    ASSERT_TRUE(oneFile.Open(reader));
    EXPECT_TRUE(reader.Holds(PartKind::Package, "BIG.DAT"));
    EXPECT_TRUE(reader.Holds(PartKind::Plain, "Docs\\Licence.txt"));
    EXPECT_FALSE(reader.Holds(PartKind::Plain, "big.dat")) << "a package file is not a plain one";
    EXPECT_EQ(reader.Copy(PartKind::Plain, "other.txt", INVALID_HANDLE_VALUE), PartCopy::Missing);
    for (const size_t i : {6, 0, 4, 5, 1, 4}) {
        SCOPED_TRACE(parts[i].name);
        std::string text;
        EXPECT_EQ(reader.Copy(parts[i].kind, parts[i].name, INVALID_HANDLE_VALUE, &text), PartCopy::Done);
        EXPECT_TRUE(text == parts[i].content);
        EXPECT_TRUE(oneFile.CopyToFile(reader, parts[i].kind, parts[i].name) == parts[i].content);
    }
    EXPECT_TRUE(oneFile.CopyToFile(reader, PartKind::Program, "setup.exe") == Program());
}

// A part unlike its CRC is refused when it is decoded, and so is every later part, which is
// decoded through it; a payload whose header is not the one the image carries the digest of (a
// changed byte, one index entry less, another setup's payload), two package files of one name,
// or a cut stream is refused before anything is taken from it.
TEST(PayloadReader, RefusesWhatIsNotWhatTheProgramWasBuiltWith) {
    std::vector<PayloadPart> parts = Parts();
    parts[4].crc = Crc32(0, "other", 5);
    const OneFileOnDisk unlike(MakeOneFile(Program(), parts));
    PayloadReader reader;
    ASSERT_TRUE(unlike.Open(reader));
    EXPECT_EQ(unlike.CopyToFile(reader, PartKind::Plain, "disk01.id"), "1\n");
    EXPECT_EQ(unlike.CopyToFile(reader, PartKind::Package, "big.dat"), "(failed)");
    PayloadReader fresh;
    ASSERT_TRUE(unlike.Open(fresh));
    EXPECT_EQ(fresh.Copy(PartKind::Package, "notes.txt", INVALID_HANDLE_VALUE), PartCopy::Damaged);

    const std::string good = MakeOneFile(Program(), Parts());
    const size_t header = Program().size();
    std::string changedHeader = good, shorterIndex = good;
    changedHeader[header + IndexLengthAt] ^= 1;
    // The index without its last entry, notes.txt's.
    uint64_t indexLength = 0;
    memcpy(&indexLength, &good[header + IndexLengthAt], 8);
    indexLength -= PartEntryFixedSize + std::string("notes.txt").size();
    memcpy(&shorterIndex[header + IndexLengthAt], &indexLength, 8);
    std::vector<PayloadPart> shared = Parts();
    shared.push_back(Part("NOTES.TXT", PartKind::Package, "another file of the name in other letters"));
    std::vector<PayloadPart> others = Parts();
    others[0].content += "version=2\r\n";
    const std::string other = MakeOneFile(Program(), others);
    const std::map<std::string, std::string> refused = {
        {"changed header byte", changedHeader},
        {"one index entry less", WithHeaderDigestOf(shorterIndex, header)},
        {"another setup's payload", good.substr(0, header) + other.substr(header)},
        {"two parts of one name", MakeOneFile(Program(), shared)},
        {"cut stream", good.substr(0, good.size() - 100)},
    };
    for (const auto& [name, bytes] : refused) {
        SCOPED_TRACE(name);
        PayloadReader damaged;
        EXPECT_FALSE(OneFileOnDisk(bytes).Open(damaged));
    }
}
