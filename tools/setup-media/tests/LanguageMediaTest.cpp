#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <map>

#include "base/TextId.h"
#include "support/RepositoryCatalogs.h"
#include "support/RunTool.h"
#include "support/StandInProgram.h"
#include "support/TempTree.h"
#include "texts/TextCatalog.h"

namespace fs = std::filesystem;

namespace {

const std::string Script =
    "[Package]\nname=Spoken\nlanguages=all\n[Licence]\nlicence=licence.txt\nlicence.en=terms-en.txt\n"
    "[InstallFolder]\ninstall=%%PROGPATH%%\\Spoken\n[Disks]\nn=1\n[ProgramFiles01]\nfile1=%%INSTALLPATH%%\\app.exe\n"
    "[Messages]\nGreeting=Hello, %s!\\nWelcome \\\\ enjoy\nMainExit=&Quit\n";

// What the author's [Messages] put in place of the catalogs' texts.
const std::map<std::string, std::string> Overrides = {{"Greeting", "Hello, %s!\nWelcome \\ enjoy"},
                                                      {"MainExit", "&Quit"}};

// The name setup looks for: "qupsetup-" and the primary subtag, or for Chinese the script too.
std::string ExpectedFileName(const std::string& tag) {
    return "qupsetup-" + (tag.starts_with("zh-") ? tag : tag.substr(0, tag.find('-'))) + ".lng";
}

// The lines of a file, each without its end.
std::vector<std::string> Lines(const std::string& content) {
    std::vector<std::string> lines;
    for (size_t at = 0; at < content.size();) {
        const size_t end = content.find('\n', at);
        lines.push_back(content.substr(at, end - at));
        at = end == std::string::npos ? content.size() : end + 1;
    }
    return lines;
}

class LanguageMediaTest : public ::testing::Test {
protected:
    LanguageMediaTest() {
        WriteFile(setup_, StandInProgram("setup program"));
        WriteFile(temp_ / "package/install.ini", Script);
        WriteFile(temp_ / "package/licence.txt", "Terms.\n");
        WriteFile(temp_ / "package/terms-en.txt", "English terms.\n");
        WriteFile(temp_ / "package/app.exe", "program");
    }

    ToolRun Build(const std::string& how, const fs::path& out) {
        return RunTool({"build", (temp_ / "package").string(), "--setup", setup_.string(), how, out.string()});
    }

    TempTree temp_;
    fs::path setup_ = temp_ / "setup.exe";
};

}  // namespace

// A build puts a file on disk 1 for every language of languages/ but English, and for English
// too when the author changed its texts: the English catalog's identity first, then a line for
// each of its texts in its order, each the catalog's text or the author's in its place.
TEST_F(LanguageMediaTest, DiskOneSpeaksEveryCatalogWithTheAuthorsWords) {
    ASSERT_EQ(Build("--out", temp_ / "media").exitCode, 0);
    const ReadCatalog english = ParseCatalog(RepositoryCatalog("en"));
    ASSERT_FALSE(english.fault);
    char header[32];
    std::snprintf(header, sizeof header, "qupsetup-texts %08x", static_cast<unsigned>(TextCatalogId));
    size_t files = 0;
    for (const std::string& tag : RepositoryCatalogTags()) {
        SCOPED_TRACE(tag);
        const ReadCatalog catalog = ParseCatalog(RepositoryCatalog(tag));
        const std::vector<std::string> lines = Lines(ReadFile(temp_ / "media/disk01" / ExpectedFileName(tag)));
        ++files;
        ASSERT_EQ(lines.size(), english.catalog.texts.size() + 1);
        EXPECT_EQ(lines[0], header);
        for (size_t i = 0; i < english.catalog.texts.size(); ++i) {
            const std::string& name = english.catalog.texts[i].name;
            const auto own = Overrides.find(name);
            EXPECT_EQ(UnescapedText(lines[i + 1]),
                      own != Overrides.end() ? own->second : catalog.catalog.Find(name)->text)
                << name;
        }
    }
    size_t written = 0;
    for (const auto& entry : fs::directory_iterator(temp_ / "media/disk01"))
        written += entry.path().extension() == ".lng";
    EXPECT_EQ(written, files);
    EXPECT_EQ(ReadFile(temp_ / "media/disk01/terms-en.txt"), "English terms.\n");
}

// Without the author's words English needs no file: setup.exe holds it.
TEST_F(LanguageMediaTest, EnglishAsBuiltInNeedsNoFile) {
    WriteFile(temp_ / "package/install.ini", Script.substr(0, Script.find("[Messages]")));
    ASSERT_EQ(Build("--out", temp_ / "media").exitCode, 0);
    EXPECT_FALSE(fs::exists(temp_ / "media/disk01/qupsetup-en.lng"));
}

// The same package gives the same language files, in folder media and in a one-file setup; check
// --media finds a language file or a language's licence the media lack.
TEST_F(LanguageMediaTest, SameBytesInEveryFormAndCheckedOnTheMedia) {
    ASSERT_EQ(Build("--out", temp_ / "media").exitCode, 0);
    ASSERT_EQ(Build("--out", temp_ / "again").exitCode, 0);
    ASSERT_EQ(Build("--one-file", temp_ / "one.exe").exitCode, 0);
    ASSERT_EQ(RunTool({"unpack", (temp_ / "one.exe").string(), "--out", (temp_ / "unpacked").string()}).exitCode, 0);
    for (const auto& entry : fs::directory_iterator(temp_ / "media/disk01")) {
        const std::string name = entry.path().filename().string();
        SCOPED_TRACE(name);
        EXPECT_EQ(ReadFile(temp_ / "again/disk01" / name), ReadFile(entry.path()));
        if (entry.path().extension() == ".lng" || name == "terms-en.txt") {
            EXPECT_EQ(ReadFile(temp_ / "unpacked/disk01" / name), ReadFile(entry.path()));
        }
    }
    const std::string script = (temp_ / "package/install.ini").string();
    for (const fs::path& media : {temp_ / "media", temp_ / "one.exe"})
        EXPECT_EQ(RunTool({"check", script, "--media", media.string()}).exitCode, 0);
    fs::remove(temp_ / "media/disk01/qupsetup-en.lng");
    fs::remove(temp_ / "media/disk01/terms-en.txt");
    const ToolRun check = RunTool({"check", script, "--media", (temp_ / "media").string()});
    EXPECT_EQ(check.exitCode, 2);
    EXPECT_NE(check.out.find(":3: error: qupsetup-en.lng is not on disk 1 of the media"), std::string::npos)
        << check.out;
    EXPECT_NE(check.out.find(":6: error: the licence text of en, \"terms-en.txt\", is not on the media"),
              std::string::npos)
        << check.out;
}

// A language's licence the package lacks stops the build, which writes nothing.
TEST_F(LanguageMediaTest, AMissingLicenceOfALanguageStopsTheBuild) {
    fs::remove(temp_ / "package/terms-en.txt");
    const ToolRun run = Build("--out", temp_ / "media");
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_NE(run.err.find("install.ini:6: error: the licence text of en, \"terms-en.txt\", is not beside the script"),
              std::string::npos)
        << run.err;
    EXPECT_FALSE(fs::exists(temp_ / "media"));
}
