#include <gtest/gtest.h>

#include "setupdata/ScriptGroups.h"

namespace {

EntryList ListOfValues(std::initializer_list<const char*> values) {
    EntryList list;
    int n = 0;
    for (const char* value : values) list.Append("k" + std::to_string(++n), value);
    return list;
}

}  // namespace

TEST(ScriptGroups, KeyValueGroupsTakeFourAtATimeAndIgnoreLeftovers) {
    const EntryList list = ListOfValues({"InstallDir", "key1", "C:\\x", "string",  //
                                         "Build", "key2", "258", "integer",        //
                                         "Extra"});
    const auto groups = KeyValueGroups(list);
    ASSERT_EQ(groups.size(), 2u);
    EXPECT_EQ(groups[0].valueName, "InstallDir");
    EXPECT_EQ(groups[0].keyRef, "key1");
    EXPECT_EQ(groups[0].data, "C:\\x");
    EXPECT_EQ(groups[0].type, "string");
    EXPECT_EQ(groups[1].valueName, "Build");
    EXPECT_EQ(groups[1].type, "integer");
    EXPECT_TRUE(KeyValueGroups(ListOfValues({"a", "b", "c"})).empty());
}

TEST(ScriptGroups, ShortcutPairsTakeTwoAtATimeAndIgnoreAnOddLast) {
    const auto pairs = ShortcutPairs(ListOfValues({"[ProgramFiles01]file1", "Editor", "[ProgramFiles01]file2"}));
    ASSERT_EQ(pairs.size(), 1u);
    EXPECT_EQ(pairs[0].reference, "[ProgramFiles01]file1");
    EXPECT_EQ(pairs[0].name, "Editor");
}

TEST(ScriptGroups, ShortcutReferenceSkipsItsFirstCharacter) {
    const auto plain = ParseShortcutReference("[ProgramFiles01]file1");
    ASSERT_TRUE(plain);
    EXPECT_EQ(plain->section, "ProgramFiles01");
    EXPECT_EQ(plain->key, "file1");

    // The first character is skipped even when it is the closing bracket.
    const auto odd = ParseShortcutReference("]Sec]key]x");
    ASSERT_TRUE(odd);
    EXPECT_EQ(odd->section, "Sec");
    EXPECT_EQ(odd->key, "key]x");

    const auto noKey = ParseShortcutReference("(Sec]");
    ASSERT_TRUE(noKey);
    EXPECT_EQ(noKey->section, "Sec");
    EXPECT_EQ(noKey->key, "");

    EXPECT_FALSE(ParseShortcutReference(""));
    EXPECT_FALSE(ParseShortcutReference("]"));
    EXPECT_FALSE(ParseShortcutReference("[ProgramFiles01 file1"));
}

TEST(ScriptGroups, StringTypeAndDefaultValueName) {
    for (const char* type : {"string", "String", "STRING", "sTrInG"}) EXPECT_TRUE(IsStringType(type)) << type;
    for (const char* type : {"integer", "strings", " string", "", "str"}) EXPECT_FALSE(IsStringType(type)) << type;
    EXPECT_EQ(RegistryValueName("(Default)"), "");
    EXPECT_EQ(RegistryValueName("(default)"), "(default)");
    EXPECT_EQ(RegistryValueName("Build"), "Build");
}
