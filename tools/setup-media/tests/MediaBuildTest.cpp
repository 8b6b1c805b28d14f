#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <span>
#include <sstream>

#include "compress/SzddWriter.h"
#include "shared/CompressionEdgeCases.h"
#include "support/RepositoryCatalogs.h"
#include "support/RunTool.h"
#include "support/TempTree.h"

namespace fs = std::filesystem;

namespace {

const fs::path Sample = SETUP_REPO_ROOT "/examples/notes";

using Files = std::map<std::string, std::string>;  // relative path, content

// Relative path and content of every file below `folder`.
Files Tree(const fs::path& folder) {
    Files tree;
    for (const auto& entry : fs::recursive_directory_iterator(folder))
        if (entry.is_regular_file()) tree[fs::relative(entry.path(), folder).string()] = ReadFile(entry.path());
    return tree;
}

class MediaBuildTest : public ::testing::Test {
protected:
    MediaBuildTest() { WriteFile(setup_, "MZ a stand-in for setup.exe"); }

    ToolRun Build(const fs::path& package, const fs::path& out, std::vector<std::string> options = {}) {
        std::vector<std::string> arguments = {"build",         package.string(), "--setup",
                                              setup_.string(), "--out",          out.string()};
        arguments.insert(arguments.end(), options.begin(), options.end());
        return RunTool(arguments);
    }

    // A package with everything in one folder: the script, the licence and the files.
    fs::path FlatPackage(const std::string& script, const Files& files) {
        WriteFile(temp_ / "package/install.ini", script);
        WriteFile(temp_ / "package/licence.txt", "Terms.\n");
        for (const auto& [name, content] : files) WriteFile(temp_ / "package" / name, content);
        return temp_ / "package";
    }

    TempTree temp_;
    fs::path setup_ = temp_ / "setup.exe";
};

// English only, so that disk 1 holds no language file.
const std::string TwoDiskScript =
    "[Package]\nname=Flat\nlanguages=en\n[Licence]\nlicence=licence.txt\n[InstallFolder]\ninstall=%%PROGPATH%%\\Flat\n"
    "[Disks]\nn=2\n[ProgramFiles01]\nfile1=%%INSTALLPATH%%\\app.exe\n[ProgramFiles02]\n"
    "file1=%%INSTALLPATH%%\\data.db\nfile2=%%INSTALLPATH%%\\readme\n";

// How far setup, licence, id, script and a compressed app.exe of 2,000 random bytes pass a
// disk of `capacity` bytes.
size_t CompressedSize(const std::string& content, char replaced) {
    std::ostringstream compressed;
    WriteSzdd(std::span(reinterpret_cast<const unsigned char*>(content.data()), content.size()), replaced, compressed);
    return compressed.str().size();
}

// A count as messages write it, with commas between groups of three digits.
std::string Grouped(size_t count) {
    std::string digits = std::to_string(count);
    for (size_t at = digits.size(); at > 3; at -= 3) digits.insert(at - 3, ",");
    return digits;
}

size_t DiskOneOver(size_t capacity) {
    const size_t app = CompressedSize(RandomBytes(2000, 5), 'e');
    // The media's script records each compressed file's size and 64-digit digest.
    const std::string digests = "\n[FileDigests]\napp.ex_=" + std::to_string(app) + ",\ndata.db_=" +
                                std::to_string(CompressedSize("data", 0)) + ",\nreadme._=" +
                                std::to_string(CompressedSize("read me", 0)) + ",\n";
    return std::string("MZ a stand-in for setup.exe").size() + std::string("Terms.\n").size() +
           std::string("1\n").size() + Utf16Of(TwoDiskScript + digests + std::string(3 * 64, '0')).size() + app -
           capacity;
}

}  // namespace

TEST_F(MediaBuildTest, SampleBecomesDisksThatExpandAndCheckClean) {
    const fs::path out = temp_ / "media";
    const ToolRun run = Build(Sample, out);
    ASSERT_EQ(run.exitCode, 0) << run.err;
    const Files disk1 = Tree(out / "disk01");
    EXPECT_EQ(disk1.at("setup.exe"), ReadFile(setup_));
    // The author's script, and the size and digest of every compressed file as sha256sum sees it.
    std::string digests = "\n[FileDigests]\n";
    for (const char* name : {"disk01/readme.tx_", "disk01/notes.in_", "disk01/first.tx_", "disk02/second.tx_",
                             "disk02/changes.lo_"})
        digests += fs::path(name).filename().string() + "=" + std::to_string(fs::file_size(out / name)) + "," +
                   Sha256sum(out / name) + "\n";
    EXPECT_EQ(disk1.at("install.ini"), Utf16Of(ReadFile(Sample / "install.ini") + digests));
    EXPECT_EQ(disk1.at("licence.txt"), ReadFile(Sample / "licence.txt"));
    EXPECT_EQ(disk1.at("disk01.id"), "1\n");
    EXPECT_EQ(ReadFile(out / "disk02/disk02.id"), "2\n");
    const Files stored = {{"disk01/readme.tx_", "disk01/readme.txt"},
                          {"disk01/notes.in_", "disk01/notes.ini"},
                          {"disk01/first.tx_", "disk01/first.txt"},
                          {"disk02/second.tx_", "disk02/second.txt"},
                          {"disk02/changes.lo_", "disk02/changes.log"}};
    for (const auto& [media, original] : stored) {
        SCOPED_TRACE(media);
        EXPECT_EQ(ReadFile(out / media)[9], original.back()) << "the header restores the name";
        const Expanded expanded = ExpandWithMsexpand(out / media);
        EXPECT_TRUE(expanded.ok);
        EXPECT_EQ(expanded.content, ReadFile(Sample / original));
    }
    // And a language file for each translation of languages/.
    EXPECT_EQ(Tree(out).size(), 10u + RepositoryCatalogTags().size() - 1);

    const std::string script = (Sample / "install.ini").string();
    EXPECT_EQ(RunTool({"check", script, "--media", out.string()}).exitCode, 0);
    fs::remove(out / "disk01/notes.in_");
    fs::remove(out / "disk02/disk02.id");
    fs::remove(out / "disk01/licence.txt");
    const ToolRun check = RunTool({"check", script, "--media", out.string()});
    EXPECT_EQ(check.exitCode, 2);
    EXPECT_NE(check.out.find(":5: error: the licence text \"licence.txt\" is not on the media"), std::string::npos);
    EXPECT_NE(check.out.find(":12: error: disk02.id is not on disk 2 of the media"), std::string::npos);
    EXPECT_NE(check.out.find(":16: error: notes.in_ is not on disk 1 of the media"), std::string::npos) << check.out;
}

TEST_F(MediaBuildTest, SameInputsGiveByteIdenticalMedia) {
    ASSERT_EQ(Build(Sample, temp_ / "first").exitCode, 0);
    ASSERT_EQ(Build(Sample, temp_ / "second").exitCode, 0);
    EXPECT_TRUE(Tree(temp_ / "first") == Tree(temp_ / "second"));
}

TEST_F(MediaBuildTest, FilesOfAFlatPackageGoOnTheDiskTheirSectionNames) {
    const fs::path package =
        FlatPackage(TwoDiskScript, {{"app.exe", "MZ app"}, {"data.db", "data"}, {"readme", "read me"}});
    const ToolRun run = Build(package, temp_ / "media");
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_TRUE(fs::exists(temp_ / "media/disk01/app.ex_"));
    EXPECT_TRUE(fs::exists(temp_ / "media/disk02/data.db_"));
    EXPECT_TRUE(fs::exists(temp_ / "media/disk02/readme._"));
    EXPECT_EQ(ReadFile(temp_ / "media/disk02/readme._")[9], '\0');
}

// Three files of 3,000 random bytes on disks of 4,000: one a disk, in script order; the
// shortcut follows its file, and the author's script stays as it was.
TEST_F(MediaBuildTest, SpreadPutsFilesOnDisksInScriptOrderAndRewritesTheMediaScript) {
    const std::string script =
        "[Package]\r\nname=Spread\r\nlanguages=en\r\n[Licence]\r\nlicence=none\r\n[InstallFolder]\r\ninstall=C:\\Spread\r\n"
        "[ProgramFiles01]\r\nfile1=C:\\a.bin\r\n"
        "file2=C:\\b.bin\r\nfile3=C:\\c.bin\r\n[Group]\r\ngroup=Spread\r\n[Icons]\r\nlink=[programfiles01]FILE3\r\n"
        "name=C\r\n";
    const fs::path package = FlatPackage(
        script, {{"a.bin", RandomBytes(3000, 1)}, {"b.bin", RandomBytes(3000, 2)}, {"c.bin", RandomBytes(3000, 3)}});
    const ToolRun run = Build(package, temp_ / "media", {"--disk-size", "4500", "--spread"});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(ReadFile(package / "install.ini"), script);
    const std::string media = ReadFile(temp_ / "media/disk01/install.ini");
    ASSERT_TRUE(media.starts_with("\xFF\xFE"));
    EXPECT_NE(media.find(Utf16Of("[Disks]\r\nn=3\r\n").substr(2)), std::string::npos) << media;
    EXPECT_NE(media.find(Utf16Of("[ProgramFiles01]\r\nfile1=C:\\a.bin\r\n\r\n[ProgramFiles02]\r\n"
                                 "file1=C:\\b.bin\r\n\r\n[ProgramFiles03]\r\nfile1=C:\\c.bin\r\n")
                             .substr(2)),
              std::string::npos)
        << media;
    EXPECT_NE(media.find(Utf16Of("link=[ProgramFiles03]file1\r\n").substr(2)), std::string::npos) << media;
    for (const char* disk : {"disk01", "disk02", "disk03"}) {
        uint64_t used = 0;
        for (const auto& [name, content] : Tree(temp_ / "media" / disk)) used += content.size();
        EXPECT_LE(used, 4500u) << disk;
    }
    EXPECT_TRUE(fs::exists(temp_ / "media/disk03/c.bi_"));
    EXPECT_EQ(RunTool({"check", (temp_ / "media/disk01/install.ini").string(), "--media", (temp_ / "media").string()})
                  .exitCode,
              0);
}

TEST_F(MediaBuildTest, ForceReplacesOldMedia) {
    WriteFile(temp_ / "media/stale.txt", "old");
    ASSERT_EQ(Build(Sample, temp_ / "media", {"--force"}).exitCode, 0);
    EXPECT_FALSE(fs::exists(temp_ / "media/stale.txt"));
    EXPECT_TRUE(fs::exists(temp_ / "media/disk02/second.tx_"));
}

struct Failure {
    const char* name;
    std::function<void(const fs::path& package)> spoil;
    std::vector<std::string> options;
    std::string expected;  // part of the one error line
};

// Each bad input is refused with a line that says what is wrong, and no media appear.
TEST_F(MediaBuildTest, BadInputIsRefusedWithOneLineAndLeavesNoMedia) {
    const std::vector<Failure> failures = {
        {"file missing",
         [](const fs::path& p) { fs::remove(p / "data.db"); },
         {},
         "install.ini:13: error: %%INSTALLPATH%%\\data.db: the package has no file data.db: the build stops"},
        {"file unreadable",
         [](const fs::path& p) {
             fs::remove(p / "app.exe");
             fs::create_directory(p / "app.exe");
         },
         {},
         "install.ini:11: error: %%INSTALLPATH%%\\app.exe: the package has no file app.exe: the build stops"},
        {"disk over capacity",
         [](const fs::path& p) { WriteFile(p / "app.exe", RandomBytes(2000, 5)); },
         {"--disk-size", "2000"},
         "disk 1 is " + Grouped(DiskOneOver(2000)) +
             " bytes over a 2000 bytes disk "
             "(2,000 bytes), from app.ex_ on"},
        {"output not empty",
         [&](const fs::path&) { WriteFile(temp_ / "media/keep.txt", "mine"); },
         {},
         "media is not empty: --force replaces it"},
        {"script with errors",
         [](const fs::path& p) { WriteFile(p / "install.ini", "[Package]\nname=x\n"); },
         {},
         "has errors; no media were written"},
        {"spread without a size", [](const fs::path&) {}, {"--spread"}, "--spread needs --disk-size"},
        {"unknown disk size", [](const fs::path&) {}, {"--disk-size", "1.2M"}, "disk size 1.2M is none of"},
    };
    for (const Failure& failure : failures) {
        SCOPED_TRACE(failure.name);
        fs::remove_all(temp_ / "package");
        fs::remove_all(temp_ / "media");
        const fs::path package =
            FlatPackage(TwoDiskScript, {{"app.exe", "MZ app"}, {"data.db", "data"}, {"readme", "read me"}});
        failure.spoil(package);
        const bool existed = fs::exists(temp_ / "media");
        const auto before = existed ? Tree(temp_ / "media") : Files{};
        const ToolRun run = Build(package, temp_ / "media", failure.options);
        EXPECT_EQ(run.exitCode, 2);
        EXPECT_NE(run.err.find(failure.expected), std::string::npos) << run.err;
        EXPECT_EQ(fs::exists(temp_ / "media"), existed);
        EXPECT_TRUE((existed ? Tree(temp_ / "media") : Files{}) == before);
        for (const auto& entry : fs::directory_iterator(temp_.Path()))
            EXPECT_EQ(entry.path().filename().string().find(".partial"), std::string::npos);
    }
}

// The media's script is UTF-16 of what the author wrote: UTF-8 when it is, else the code page.
TEST_F(MediaBuildTest, MediaScriptIsUtf16OfTheAuthorsText) {
    const auto littleEndian = [](std::u16string_view text) {
        std::string bytes;
        for (const char16_t c : text) bytes += std::string{static_cast<char>(c & 0xFF), static_cast<char>(c >> 8)};
        return bytes;
    };
    const std::string head = "[Package]\nname=";
    const std::string tail = TwoDiskScript.substr(head.size() + std::string("Flat").size());
    const std::vector<std::tuple<std::string, std::vector<std::string>, std::u16string>> cases = {
        {"\xC5\x81ukasz \xE7\x8E\x8B", {}, u"\u0141ukasz \u738B"},
        {"Caf\xE9", {}, u"Caf\u00E9"},
        {"Caf\xE9", {"--script-encoding", "windows-1251"}, u"Caf\u0439"},
    };
    for (const auto& [name, options, text] : cases) {
        SCOPED_TRACE(name);
        fs::remove_all(temp_ / "package");
        const fs::path package =
            FlatPackage(head + name + tail, {{"app.exe", "MZ app"}, {"data.db", "data"}, {"readme", "read me"}});
        std::vector<std::string> all = options;
        all.push_back("--force");
        ASSERT_EQ(Build(package, temp_ / "media", all).exitCode, 0);
        // The files' digests follow the author's text.
        EXPECT_TRUE(ReadFile(temp_ / "media/disk01/install.ini")
                        .starts_with(Utf16Of(head) + littleEndian(text) + Utf16Of(tail).substr(2)));
    }
}

// Output folders are compared as real paths; a failed build takes away the folders it made.
TEST_F(MediaBuildTest, OutputInsideThePackageIsRefusedAndAFailureLeavesNoFolders) {
    const fs::path package =
        FlatPackage(TwoDiskScript, {{"app.exe", "MZ app"}, {"data.db", "data"}, {"readme", "read me"}});
    WriteFile(package / "media/keep.txt", "mine");
    fs::create_directory_symlink(package / "media", temp_ / "link");
    for (const fs::path& out : {package / "media", temp_ / "link", package}) {
        SCOPED_TRACE(out.string());
        const ToolRun run = Build(package, out, {"--force"});
        EXPECT_EQ(run.exitCode, 2);
        EXPECT_NE(run.err.find(out == package ? "which it cannot replace" : "lies inside"), std::string::npos)
            << run.err;
        EXPECT_EQ(ReadFile(package / "media/keep.txt"), "mine");
    }
    fs::remove(package / "data.db");
    EXPECT_EQ(Build(package, temp_ / "new/parents/media").exitCode, 2);
    EXPECT_FALSE(fs::exists(temp_ / "new"));
}

namespace {

const std::string FolderScript =
    "[Package]\nname=Folders\n[Licence]\nlicence=licence.txt\n[InstallFolder]\ninstall=%%PROGPATH%%\\Folders\n"
    "sub1=Docs\n[Disks]\nn=1\n[ProgramFiles01]\ntop=%%INSTALLPATH%%\\*\ndocs=%%INSTALLPATH%%\\Docs\\readme.txt\n"
    "tree=%%INSTALLPATH%%\\Data\\**\n";

// Files at the top, in Docs and in a Data tree, three of them named readme.txt.
const Files FolderFiles = {{"app.exe", "MZ app"},
                           {"readme.txt", "the readme at the top"},
                           {"Docs/readme.txt", "the readme of the documents"},
                           {"Data/b.txt", "b data"},
                           {"Data/a.txt", "a data"},
                           {"Data/sub/readme.txt", "the readme of the data"},
                           {"Data/Sub2/z.txt", "z data"}};

}  // namespace

// A folder line becomes a line per file, folder by folder in name order, and a tree's folders
// join [InstallFolder]; files of one name get names of their own on the media, which the media's
// script gives by their keys. The script and the licence at the top of the package are no files of
// it.
TEST_F(MediaBuildTest, FolderLinesAreWrittenOutAsTheLinesSetupReads) {
    const fs::path package = FlatPackage(FolderScript, FolderFiles);
    fs::create_directories(package / "Data/empty");
    // A link to a folder is not walked: it could lead out of the package, or round and round.
    fs::create_directory_symlink("..", package / "Data/back");
    const ToolRun run = Build(package, temp_ / "media");
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(ReadFile(package / "install.ini"), FolderScript);
    const std::string media = ReadFile(temp_ / "media/disk01/install.ini");
    EXPECT_NE(media.find(Utf16Of("[InstallFolder]\ninstall=%%PROGPATH%%\\Folders\nsub1=Docs\nfolder.1=Data\n"
                                 "folder.2=Data\\empty\nfolder.3=Data\\sub\nfolder.4=Data\\Sub2\n")
                             .substr(2)),
              std::string::npos);
    EXPECT_NE(media.find(Utf16Of("[ProgramFiles01]\ntop.1=%%INSTALLPATH%%\\app.exe\ntop.2=%%INSTALLPATH%%\\readme.txt\n"
                                 "docs=%%INSTALLPATH%%\\Docs\\readme.txt\ntree.1=%%INSTALLPATH%%\\Data\\a.txt\n"
                                 "tree.2=%%INSTALLPATH%%\\Data\\b.txt\ntree.3=%%INSTALLPATH%%\\Data\\sub\\readme.txt\n"
                                 "tree.4=%%INSTALLPATH%%\\Data\\Sub2\\z.txt\n")
                             .substr(2)),
              std::string::npos);
    EXPECT_NE(media.find(Utf16Of("\n[MediaNames01]\ndocs=readme~2.txt\ntree.3=readme~3.txt\n").substr(2)),
              std::string::npos);
    const Files disk = Tree(temp_ / "media/disk01");
    for (const auto& [stored, original] : std::map<std::string, std::string>{{"readme.tx_", "readme.txt"},
                                                                             {"readme~2.tx_", "Docs/readme.txt"},
                                                                             {"readme~3.tx_", "Data/sub/readme.txt"},
                                                                             {"z.tx_", "Data/Sub2/z.txt"}}) {
        SCOPED_TRACE(stored);
        ASSERT_TRUE(disk.count(stored));
        EXPECT_EQ(ExpandWithMsexpand(temp_ / "media/disk01" / stored).content, FolderFiles.at(original));
    }
    EXPECT_FALSE(disk.count("install.in_"));
    EXPECT_FALSE(disk.count("licence.tx_"));
    EXPECT_EQ(RunTool({"check", (package / "install.ini").string(), "--media", (temp_ / "media").string()}).exitCode, 0);
    EXPECT_EQ(RunTool({"check", (temp_ / "media/disk01/install.ini").string(), "--media", (temp_ / "media").string()})
                  .exitCode,
              0);
}

// Spread over disks, the media names follow the keys the files get there.
TEST_F(MediaBuildTest, FilesOfOneNameKeepNamesOfTheirOwnWhenSpread) {
    const fs::path package = FlatPackage(FolderScript, FolderFiles);
    ASSERT_EQ(Build(package, temp_ / "spread", {"--disk-size", "CD", "--spread"}).exitCode, 0);
    const std::string spread = ReadFile(temp_ / "spread/disk01/install.ini");
    EXPECT_NE(spread.find(Utf16Of("file3=%%INSTALLPATH%%\\Docs\\readme.txt\n").substr(2)), std::string::npos) << spread;
    EXPECT_NE(spread.find(Utf16Of("[MediaNames01]\nfile3=readme~2.txt\nfile6=readme~3.txt\n").substr(2)),
              std::string::npos)
        << spread;
    EXPECT_EQ(RunTool({"check", (temp_ / "spread/disk01/install.ini").string(), "--media", (temp_ / "spread").string()})
                  .exitCode,
              0);
}
