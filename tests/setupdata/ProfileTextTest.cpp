#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "base/TextEncoding.h"
#include "setupdata/ProfileFile.h"
#include "setupdata/ProfileText.h"
#include "setupdata/UnicodeProfileCopy.h"
#include "support/TestFiles.h"

namespace {

std::vector<std::string> Lines(const EntryList& list) {
    std::vector<std::string> lines;
    for (size_t i = 0; i < list.Count(); ++i) lines.push_back(list.Line(i));
    return lines;
}

}  // namespace

// A log as the platform's profile functions write it, read from its bytes in memory, gives the
// lines the platform itself reads from the file: in order, each section alone, whatever the case
// of its name, values holding "=", "," and characters beyond ASCII.
TEST(ProfileText, ASectionReadFromTheTextIsWhatThePlatformReadsFromTheFile) {
    TempFolder folder;
    const std::string path = folder / "uninstal.ini";
    ASSERT_TRUE(CreateUnicodeProfile(path));
    const ProfileFile log(path);
    const char* const writes[][3] = {
        {"Package", "name", "Tally"},
        {"FileDigests", "file1", "12,ab,C:\\App\\a=b.txt"},
        {"ProgramFiles", "file1", "C:\\App\\a=b.txt"},
        {"FileDigests", "file2", "0,cd,C:\\Users\\\xc5\x81ukasz\xe7\x8e\x8b\\x.txt"},
        {"Other", "file3", "not of the section"},
        {"FileDigests", "file3", ""},
    };
    for (const auto& write : writes) ASSERT_TRUE(log.WriteValue(write[0], write[1], write[2]));
    const std::string text = FromUtf16(DecodeAuthorText(ReadTextFile(path)));
    for (const char* section : {"FileDigests", "filedigests", "Package", "Missing"}) {
        EntryList fromText, fromFile;
        ReadSectionOfText(text, section, fromText);
        log.ReadEntries(section, fromFile);
        // The platform's reader leaves empty values out; the text's has them.
        EntryList fromTextNonEmpty;
        for (const Entry& entry : fromText)
            if (!entry.value.empty()) fromTextNonEmpty.Append(entry.name, entry.value);
        EXPECT_EQ(Lines(fromTextNonEmpty), Lines(fromFile)) << section;
    }
}
