#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "setupdata/ProfileFile.h"
#include "setupdata/UnicodeProfileCopy.h"
#include "support/TestFiles.h"

namespace {

// The value as the platform's wide profile call reads it from `path`.
std::wstring WideValue(const std::string& path, const wchar_t* key) {
    wchar_t value[256] = {};
    const std::wstring widePath(path.begin(), path.end());  // the test folder's path is ASCII
    GetPrivateProfileStringW(L"Package", key, L"", value, 256, widePath.c_str());
    return value;
}

// UTF-16 with its byte-order mark, little-endian.
std::string Utf16File(const std::wstring& text) {
    std::string bytes = "\xFF\xFE";
    for (const wchar_t c : text) {
        bytes += static_cast<char>(c & 0xFF);
        bytes += static_cast<char>(c >> 8);
    }
    return bytes;
}

}  // namespace

// Scripts as authors save them: UTF-8 with and without its mark, their Windows code page (here
// Windows-1252, this system's), and UTF-16; each copy is UTF-16 and reads as the author wrote it.
TEST(UnicodeProfileCopy, ReadsEveryEncodingAnAuthorSavesIn) {
    const TempFolder folder;
    const std::string utf8 = "[Package]\r\nname=\xC5\x81ukasz \xE7\x8E\x8B \xCE\x95\xCE\xBB\xCE\xBB\xCE\xAC\xCE\xB4\xCE\xB1\r\n";
    const std::wstring utf8Name = L"\u0141ukasz \u738B \u0395\u03BB\u03BB\u03AC\u03B4\u03B1";
    const std::string western = "[Package]\r\nname=Caf\xE9 \x80 \xA9\r\n";  // not valid UTF-8
    const std::wstring westernName = L"Caf\u00E9 \u20AC \u00A9";
    const struct {
        std::string bytes;
        std::wstring name;
    } scripts[] = {
        {utf8, utf8Name},
        {"\xEF\xBB\xBF" + utf8, utf8Name},
        {western, westernName},
        {Utf16File(L"[Package]\r\nname=\u041B\u0443\u043A\r\n"), L"\u041B\u0443\u043A"},
    };
    for (const auto& script : scripts) {
        SCOPED_TRACE(script.bytes);
        WriteTextFile(folder / "install.ini", script.bytes);
        ASSERT_TRUE(CopyAsUnicodeProfile(folder / "install.ini", folder / "copy.ini"));
        EXPECT_EQ(ReadTextFile(folder / "copy.ini").substr(0, 2), "\xFF\xFE");
        EXPECT_EQ(WideValue(folder / "copy.ini", L"name"), script.name);
    }
    EXPECT_EQ(ReadTextFile(folder / "copy.ini"), scripts[3].bytes) << "a UTF-16 file is copied as it is";
    EXPECT_FALSE(CopyAsUnicodeProfile(folder / "missing.ini", folder / "copy2.ini"));
    EXPECT_FALSE(FileExists(folder / "copy2.ini"));
}

// The log from its first line, and a converted copy written on: the narrow calls of a program
// whose code page is UTF-8 read and write every character, in values, keys and sections.
TEST(UnicodeProfileCopy, NarrowCallsReadAndWriteEveryCharacterOfAUnicodeProfile) {
    const TempFolder folder;
    ASSERT_TRUE(CreateUnicodeProfile(folder / "log.ini"));
    EXPECT_FALSE(CreateUnicodeProfile(folder / "log.ini")) << "an existing file is not made anew";
    std::string chinese;
    for (int i = 0; i < 400; ++i) chinese += "\xE7\x8E\x8B";  // 1200 bytes, past the first read buffer
    const std::string names[] = {"C:\\Users\\\xC5\x81ukasz\\\xCE\x95\xCE\xBB\xCE\xBB\xCE\xAC\xCE\xB4\xCE\xB1",
                                 chinese, "\xF0\x9F\x98\x80 beyond the first plane"};
    const ProfileFile log(folder / "log.ini");
    for (const std::string& name : names)
        EXPECT_TRUE(log.WriteValue("Files \xE7\x8E\x8B", name.substr(0, 12).c_str(), name).Ok());
    for (const std::string& name : names)
        EXPECT_EQ(log.ReadValue("Files \xE7\x8E\x8B", name.substr(0, 12).c_str(), MissingValueMark), name);
    EXPECT_EQ(ReadTextFile(folder / "log.ini").substr(0, 2), "\xFF\xFE");

    WriteTextFile(folder / "old.ini", "[Files]\r\nfile1=" + names[0] + "\r\n");
    ASSERT_TRUE(CopyAsUnicodeProfile(folder / "old.ini", folder / "old.ini")) << "converted in place";
    const ProfileFile old(folder / "old.ini");
    EXPECT_EQ(old.ReadValue("Files", "file1", MissingValueMark), names[0]);
    EXPECT_TRUE(old.WriteValue("Files", "file2", chinese).Ok());
    EXPECT_EQ(old.ReadValue("Files", "file2", MissingValueMark), chinese);
    EXPECT_EQ(ReadTextFile(folder / "old.ini").substr(0, 2), "\xFF\xFE");
}
