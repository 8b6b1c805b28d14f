#include <gtest/gtest.h>

#include "fsutil/DestinationFile.h"
#include "fsutil/FileNames.h"
#include "fsutil/FileTransfer.h"
#include "support/CompressedMedia.h"
#include "support/HeldOpenFile.h"
#include "support/SetupStateScope.h"
#include "support/SimulatedRestart.h"
#include "support/TestFiles.h"
#include "support/UnixTools.h"

namespace {

class FileTransferTest : public ::testing::Test {
protected:
    FileTransferTest() {
        ::Setup.TempDir = temp_.Path() + "\\";
        ::Setup.IsWindowsNT = 1;
        SetCurrentDirectoryA(media_.Path().c_str());
    }

    std::string TempFile(const std::string& name) { return ReadTextFile(temp_ / name); }

    TempFolder media_;
    TempFolder temp_;
    SetupStateScope state_;
    CurrentFolderGuard restoreAfterTest_;
};

}  // namespace

TEST_F(FileTransferTest, DiskIdIsFoundByBareNameWithAllDigitsOfItsNumber) {
    EXPECT_EQ(DiskIdFileName(1), "disk01.id");
    EXPECT_EQ(DiskIdFileName(12), "disk12.id");
    EXPECT_EQ(DiskIdFileName(100), "disk100.id");
    WriteTextFile(media_ / "disk01.id", "1");
    WriteTextFile(media_ / "disk100.id", "100");
    EXPECT_TRUE(DiskIdPresent(1));
    EXPECT_FALSE(DiskIdPresent(2));
    EXPECT_TRUE(DiskIdPresent(100));
}

TEST_F(FileTransferTest, FilesCompressedByMscompressExpandByteForByte) {
    const std::vector<std::pair<std::string, std::string>> files = {
        {"tool.exe", SampleContent(70000, 1)},
        {"data.db", SampleContent(4099, 2)},
        {"readme", SampleContent(16, 3)},
        {"page.html", std::string(3000, 'z')},
    };
    ASSERT_TRUE(PutCompressedOnMedia(media_.Path(), files));
    WriteTextFile(temp_ / "tool.exe", SampleContent(90000, 4));  // an older copy to be replaced
    for (const auto& [name, content] : files) {
        SCOPED_TRACE(name);
        EXPECT_TRUE(ExpandToTemp(name).Ok());
        EXPECT_TRUE(TempFile(name) == content);
    }
}

TEST_F(FileTransferTest, UncompressedFileUnderTheCompressedNamePassesThrough) {
    const std::string content = SampleContent(5000, 5);
    WriteTextFile(media_ / "plain.tx_", content);
    EXPECT_TRUE(ExpandToTemp("plain.txt").Ok());
    EXPECT_TRUE(TempFile("plain.txt") == content);
}

TEST_F(FileTransferTest, TruncatedCompressedFileIsRefusedAndLeavesNothingInTemp) {
    const std::string content = SampleContent(20000, 6);
    ASSERT_TRUE(PutCompressedOnMedia(media_.Path(), {{"cut.dll", content}}));
    const std::string whole = ReadTextFile(media_ / "cut.dl_");
    // Cut anywhere, inside its 14-byte header too, as long as it begins with the format's name.
    for (const size_t kept : {whole.size() / 2, whole.size() - 1, size_t{14}, size_t{13}, size_t{9}, size_t{4}}) {
        SCOPED_TRACE(kept);
        WriteTextFile(media_ / "cut.dl_", whole.substr(0, kept));
        EXPECT_EQ(ExpandToTemp("cut.dll").Message(), "Error expanding cut.dll");
        EXPECT_FALSE(FileExists(temp_ / "cut.dll"));
    }
    // Fewer bytes than the name "SZDD" tell nothing of a format: stored as they are.
    WriteTextFile(media_ / "cut.dl_", "SZD");
    EXPECT_TRUE(ExpandToTemp("cut.dll").Ok());
    EXPECT_EQ(TempFile("cut.dll"), "SZD");
}

TEST_F(FileTransferTest, GarbageNeverCrashesAndNeverPassesAsAShorterFile) {
    const std::string header("SZDD\x88\xF0\x27\x33" "A\0\x10\x27\0\0", 14);  // declares 10000 bytes
    const std::string noise = SampleContent(3000, 7);
    WriteTextFile(media_ / "noise.bi_", noise);
    EXPECT_TRUE(ExpandToTemp("noise.bin").Ok());
    EXPECT_TRUE(TempFile("noise.bin") == noise);

    // Either refused and gone, or expanded to the declared length.
    WriteTextFile(media_ / "junk.bi_", header + noise);
    if (ExpandToTemp("junk.bin").Ok())
        EXPECT_EQ(TempFile("junk.bin").size(), 10000u);
    else
        EXPECT_FALSE(FileExists(temp_ / "junk.bin"));
}

// The installed file is written through a handle the caller made: the expansion carries the media
// file's time, and a damaged or missing media file is an error expanding it.
TEST_F(FileTransferTest, ExpansionIntoAnOpenFileCarriesTheMediaTimeAndTellsADamagedFile) {
    TempFolder dest;
    const std::string content = SampleContent(150000, 9);
    ASSERT_TRUE(PutCompressedOnMedia(media_.Path(), {{"big.dll", content}}));
    {
        Result<FileHandle> made = CreateNewFile(dest / "big.dll");
        ASSERT_TRUE(made.Ok()) << made.Message();
        EXPECT_TRUE(ExpandInto("big.dll", made.Value().Get()).Ok());
    }
    EXPECT_TRUE(ReadTextFile(dest / "big.dll") == content);
    WIN32_FILE_ATTRIBUTE_DATA onMedia{}, installed{};
    ASSERT_TRUE(GetFileAttributesExA((media_ / "big.dl_").c_str(), GetFileExInfoStandard, &onMedia));
    ASSERT_TRUE(GetFileAttributesExA((dest / "big.dll").c_str(), GetFileExInfoStandard, &installed));
    EXPECT_EQ(CompareFileTime(&onMedia.ftLastWriteTime, &installed.ftLastWriteTime), 0);

    const std::string whole = ReadTextFile(media_ / "big.dl_");
    WriteTextFile(media_ / "cut.dl_", whole.substr(0, whole.size() / 2));
    Result<FileHandle> cut = CreateNewFile(dest / "cut.dll");
    ASSERT_TRUE(cut.Ok());
    EXPECT_EQ(ExpandInto("cut.dll", cut.Value().Get()).Message(), "Error expanding cut.dll");
    EXPECT_EQ(ExpandInto("absent.dll", cut.Value().Get()).Message(), "Error expanding absent.dll");
    DiscardNewFile(cut.Value());
    EXPECT_FALSE(FileExists(dest / "cut.dll"));
}

TEST_F(FileTransferTest, ExpansionFailsWithoutSourceOrTempFolder) {
    EXPECT_EQ(ExpandToTemp("absent.exe").Message(), "Error expanding absent.exe");
    WriteTextFile(media_ / "there.ex_", SampleContent(100, 8));
    ::Setup.TempDir = temp_ / "missing\\";
    EXPECT_EQ(ExpandToTemp("there.exe").Message(), "Error expanding there.exe");
}

// Paths far beyond the 127 characters the library's own file opening takes, on both sides,
// up to the path limit; one character more is refused and leaves nothing.
TEST_F(FileTransferTest, ExpansionTakesPathsUpToThePathLimitOnly) {
    std::string media = media_.Path();
    std::string temp = temp_.Path();
    for (std::string* folder : {&media, &temp}) {
        *folder += "\\" + std::string(150 - folder->size(), 'd');
        ASSERT_TRUE(CreateDirectoryA(folder->c_str(), nullptr)) << *folder;
    }
    SetCurrentDirectoryA(media.c_str());
    ::Setup.TempDir = temp + "\\";
    const std::string content = SampleContent(3000, 10);
    for (const size_t length : {259u, 260u}) {
        const std::string name = std::string(length - ::Setup.TempDir.size() - 4, 'n') + ".txt";
        ASSERT_TRUE(PutCompressedOnMedia(media, {{name, content}}));
        SCOPED_TRACE(length);
        EXPECT_EQ(ExpandToTemp(name).Ok(), length == 259);
        EXPECT_TRUE(ReadTextFile(::Setup.TempDir + name) == (length == 259 ? content : ""));
    }
}

TEST_F(FileTransferTest, DeleteTempFileRemovesAndSchedulesNothingElse) {
    const SimulatedRestart restart;
    WriteTextFile(temp_ / "gone.txt", "x");
    DeleteTempFile("gone.txt");
    EXPECT_FALSE(FileExists(temp_ / "gone.txt"));
    DeleteTempFile("never.txt");
    EXPECT_FALSE(restart.IsScheduled(temp_ / "gone.txt"));
    EXPECT_FALSE(restart.IsScheduled(temp_ / "never.txt"));
}

TEST_F(FileTransferTest, FileInUseIsDeletedAtTheNextRestartOnNT) {
    const std::string path = temp_ / "busy.txt";
    WriteTextFile(path, "busy");
    HeldOpenFile held(path);
    ASSERT_TRUE(held.IsOpen());
    const SimulatedRestart restart;

    DeleteTempFile("busy.txt");
    EXPECT_TRUE(FileExists(path));
    EXPECT_TRUE(restart.IsScheduled(path));

    held.Close();
    ASSERT_TRUE(restart.Restart());
    EXPECT_FALSE(FileExists(path));
}

TEST_F(FileTransferTest, FileInUseStaysWithoutNT) {
    ::Setup.IsWindowsNT = 0;
    const std::string path = temp_ / "busy.txt";
    WriteTextFile(path, "busy");
    const HeldOpenFile held(path);
    const SimulatedRestart restart;
    DeleteTempFile("busy.txt");
    EXPECT_TRUE(FileExists(path));
    EXPECT_FALSE(restart.IsScheduled(path));
}
