#include <gtest/gtest.h>

#include "setupdata/ProfileFile.h"
#include "support/TestFiles.h"

namespace {

class ProfileFileTest : public ::testing::Test {
protected:
    // A profile file in a folder of the test's own, holding `content`.
    ProfileFile FileWith(const std::string& content) {
        WriteTextFile(folder_ / "test.ini", content);
        return ProfileFile(folder_ / "test.ini");
    }

    std::vector<std::string> LinesOf(const EntryList& list) {
        std::vector<std::string> lines;
        for (size_t i = 0; i < list.Count(); ++i) lines.push_back(list.Line(i));
        return lines;
    }

    TempFolder folder_;
};

using Lines = std::vector<std::string>;

}  // namespace

TEST_F(ProfileFileTest, ReadValueTellsEmptyFromMissing) {
    const ProfileFile file = FileWith("[S]\nempty=\nfull=value\nmark=__Oh Oh__\n");
    EXPECT_EQ(file.ReadValue("S", "empty", MissingValueMark), "");
    EXPECT_EQ(file.ReadValue("S", "full", MissingValueMark), "value");
    EXPECT_EQ(file.ReadValue("s", "FULL", MissingValueMark), "value");
    EXPECT_EQ(file.ReadValue("S", "absent", MissingValueMark), MissingValueMark);
    EXPECT_EQ(file.ReadValue("Other", "full", MissingValueMark), MissingValueMark);
    // A value that is the mark itself cannot be told from a missing key.
    EXPECT_EQ(file.ReadValue("S", "mark", MissingValueMark), MissingValueMark);
}

TEST_F(ProfileFileTest, MissingFileGivesDefaultsAndEmptyLists) {
    const ProfileFile file(folder_ / "absent.ini");
    EXPECT_EQ(file.ReadValue("S", "k", "default"), "default");
    EXPECT_EQ(file.ReadNumber("S", "k", -1), -1);
    std::vector<std::string> names{"stale"};
    file.ReadKeyNames("S", names);
    EXPECT_TRUE(names.empty());
    EntryList list;
    file.ReadEntries("S", list);
    EXPECT_TRUE(list.Empty());
    EXPECT_FALSE(FileExists(file.Path()));
}

TEST_F(ProfileFileTest, ReadValueReturnsAWholeLongValue) {
    std::string longValue;
    for (int i = 0; longValue.size() < 5000; ++i) longValue += "segment" + std::to_string(i) + "\\";
    const ProfileFile file = FileWith("[S]\nlong=" + longValue + "\nafter=x\n");
    EXPECT_EQ(file.ReadValue("S", "long", ""), longValue);
    // Lengths at the first buffer's edge.
    for (size_t length : {1022u, 1023u, 1024u, 2047u}) {
        const ProfileFile edge = FileWith("[S]\nk=" + std::string(length, 'v') + "\n");
        EXPECT_EQ(edge.ReadValue("S", "k", "").size(), length);
    }
}

TEST_F(ProfileFileTest, KeyNamesAroundTheFirstBufferSizeArriveWhole) {
    for (size_t length = 1018; length <= 1026; ++length) {
        const std::string name(length, 'n');
        const ProfileFile file = FileWith("[S]\n" + name + "=v\n");
        std::vector<std::string> names;
        file.ReadKeyNames("S", names);
        EXPECT_TRUE(names == Lines{name}) << "name of " << length << " characters";
    }
}

TEST_F(ProfileFileTest, ReadNumberFollowsTheIntegerTextRule) {
    const ProfileFile file =
        FileWith("[N]\nh1=0x1F\nh2=0X1f\nd=$10\ne=12\nx=0x\nbad=12a\nempty=\nneg=-5\nall=0xFFFFFFFF\n");
    EXPECT_EQ(file.ReadNumber("N", "h1", -1), 31);
    EXPECT_EQ(file.ReadNumber("N", "h2", -1), 31);
    EXPECT_EQ(file.ReadNumber("N", "d", -1), 16);
    EXPECT_EQ(file.ReadNumber("N", "e", -1), 12);
    EXPECT_EQ(file.ReadNumber("N", "neg", -1), -5);
    EXPECT_EQ(file.ReadNumber("N", "all", 0), -1);
    EXPECT_EQ(file.ReadNumber("N", "x", -7), -7);
    EXPECT_EQ(file.ReadNumber("N", "bad", -7), -7);
    EXPECT_EQ(file.ReadNumber("N", "empty", -7), -7);
    EXPECT_EQ(file.ReadNumber("N", "absent", -7), -7);
}

TEST_F(ProfileFileTest, WriteValueCreatesAppendsAndReplaces) {
    const ProfileFile file(folder_ / "new.ini");
    EXPECT_TRUE(file.WriteValue("Directories", "dir1", "C:\\a").Ok());
    EXPECT_TRUE(file.WriteValue("ProgramFiles", "file1", "C:\\a\\x.exe").Ok());
    EXPECT_TRUE(file.WriteValue("Directories", "dir2", "C:\\a\\b").Ok());
    EXPECT_TRUE(file.WriteValue("Directories", "dir3", "").Ok());
    EXPECT_TRUE(file.WriteValue("Directories", "DIR1", "C:\\z").Ok());

    std::vector<std::string> names;
    file.ReadKeyNames("Directories", names);
    EXPECT_EQ(names, (Lines{"dir1", "dir2", "dir3"}));
    EXPECT_EQ(file.ReadValue("Directories", "dir1", ""), "C:\\z");
    // An empty value stays as a key with a bare "=".
    EXPECT_EQ(file.ReadValue("Directories", "dir3", MissingValueMark), "");
    // On disk when the write returns: a plain read of the file sees every line.
    const std::string content = ReadTextFile(file.Path());
    EXPECT_NE(content.find("file1=C:\\a\\x.exe"), std::string::npos);
    EXPECT_NE(content.find("dir2=C:\\a\\b"), std::string::npos);
    EXPECT_LT(content.find("[Directories]"), content.find("[ProgramFiles]"));
}

TEST_F(ProfileFileTest, WriteIntoMissingFolderFailsWithThePath) {
    const std::string path = folder_ / "missing\\log.ini";
    const ProfileFile file(path);
    const Status written = file.WriteValue("S", "k", "v");
    ASSERT_FALSE(written.Ok()) << "a write into a missing folder was taken as done";
    EXPECT_EQ(written.Message(), "Unable to write to " + path);
    EXPECT_FALSE(file.WriteSection("S", EntryList()).Ok());
}

TEST_F(ProfileFileTest, ReadEntriesKeepsFirstValueLastCaseAndDropsEmpties) {
    const ProfileFile file = FileWith("[S]\na=1\nb=\nA=2\ncmd=a=b\nc=3\nc=\ne=\nE=5\n[T]\nx=9\n");
    EntryList list;
    file.ReadEntries("S", list);
    EXPECT_EQ(LinesOf(list), (Lines{"A=1", "cmd=a=b", "c=3"}));
    EXPECT_EQ(list.Name(1), "cmd");
    EXPECT_EQ(list.Value(1), "a=b");

    EntryList none;
    file.ReadEntries("Absent", none);
    EXPECT_TRUE(none.Empty());

    // Without empty values the section is read whole at once; the rules are the same, and values
    // that reading by name treats its own way (quoted, blank-edged) read as it reads them.
    const ProfileFile whole = FileWith("[S]\na=1\nA=2\nq=\"quoted value\"\nb = spaced \nc=3\n; a note\n");
    EntryList read;
    whole.ReadEntries("S", read);
    EXPECT_EQ(LinesOf(read), (Lines{"A=1", "q=" + whole.ReadValue("S", "q", ""), "b=spaced", "c=3"}));
    EXPECT_EQ(whole.ReadValue("S", "q", ""), "quoted value");
}

TEST_F(ProfileFileTest, ThousandsOfKeysAreListedWhole) {
    constexpr int Count = 5000;
    std::string content = "[Package]\nname=P\n[ProgramFiles]\n";
    for (int i = 1; i <= Count; ++i) content += "file" + std::to_string(i) + "=C:\\dest\\f" + std::to_string(i) + "\n";
    content += "[Directories]\ndir1=C:\\dest\n";
    const ProfileFile file = FileWith(content);

    std::vector<std::string> names;
    file.ReadKeyNames("ProgramFiles", names);
    ASSERT_EQ(names.size(), static_cast<size_t>(Count));
    EXPECT_EQ(names.front(), "file1");
    EXPECT_EQ(names.back(), "file" + std::to_string(Count));

    EntryList list;
    file.ReadEntries("ProgramFiles", list);
    ASSERT_EQ(list.Count(), static_cast<size_t>(Count));
    for (int i : {0, 1033, 1034, Count - 1})
        EXPECT_EQ(list.Line(static_cast<size_t>(i)),
                  "file" + std::to_string(i + 1) + "=C:\\dest\\f" + std::to_string(i + 1));
}
