#include <gtest/gtest.h>

#include <utility>

#include "support/PlanRows.h"
#include "support/RunTool.h"
#include "support/StandInProgram.h"
#include "support/TempTree.h"
#include "support/TreePackage.h"

namespace fs = std::filesystem;

namespace {

const std::string Folder = "C:\\Apps\\Tree";

// Each file the tree package installs into `Folder`, in the order of its written-out lines
// (folder by folder, a folder's files before its subfolders, in the order of their names), and
// the file of the package it comes from.
const std::vector<std::pair<std::string, std::string>> TreeFiles = {
    {Folder + "\\app.exe", "app.exe"},
    {Folder + "\\Data\\readme.txt", "Data/readme.txt"},
    {Folder + "\\Data\\set2\\readme.txt", "Data/set2/readme.txt"},
    {Folder + "\\Data\\set2\\deep\\item.dat", "Data/set2/deep/item.dat"},
};
// The folders the install makes for it, each before its subfolders, the empty one too.
const std::vector<std::string> TreeFolders = {Folder, Folder + "\\Data", Folder + "\\Data\\empty",
                                              Folder + "\\Data\\set2", Folder + "\\Data\\set2\\deep"};

class FolderLinePlanTest : public ::testing::Test {
protected:
    FolderLinePlanTest() {
        WriteTreePackage(package_);
        WriteFile(setup_, StandInProgram("setup program"));
    }

    // The package's script with `from` replaced by `to`, each pair once.
    void EditScript(const std::vector<std::pair<std::string, std::string>>& edits) {
        EditFile(package_ / "install.ini", edits);
    }

    // Folder media in media/, the same spread anew over disks in spread/ and a one-file setup
    // one.exe, from the package as it is now.
    void Build() {
        using Arguments = std::vector<std::string>;
        for (const Arguments& output : {Arguments{"--out", Media().string()},
                                        Arguments{"--out", Spread().string(), "--spread", "--disk-size", "720K"},
                                        Arguments{"--one-file", OneFile().string()}}) {
            std::vector<std::string> arguments = {"build", package_.string(), "--setup", setup_.string(), "--force"};
            arguments.insert(arguments.end(), output.begin(), output.end());
            const ToolRun run = RunTool(arguments);
            ASSERT_EQ(run.exitCode, 0) << run.err;
        }
    }

    // The plan of `input` into `Folder`, as text for a person.
    std::string TextPlan(const fs::path& input) const {
        const ToolRun run = RunTool({"plan", input.string(), "--dest", Folder, "--setup", setup_.string()});
        EXPECT_EQ(run.exitCode, 0) << input << ": " << run.err;
        return run.out;
    }

    // The rows of `plan` that begin with `start`, each as its third field, the path.
    static std::vector<std::string> Paths(const PlanRows& plan, const std::string& start) {
        std::vector<std::string> paths;
        for (const std::string& what : plan.What())
            if (what.starts_with(start)) paths.push_back(Split(what, '|')[2]);
        return paths;
    }

    fs::path Media() const { return temp_ / "media"; }
    fs::path Spread() const { return temp_ / "spread"; }
    fs::path OneFile() const { return temp_ / "one.exe"; }

    TempTree temp_;
    fs::path package_ = temp_ / "package";
    fs::path setup_ = temp_ / "setup.exe";
};

}  // namespace

// The package folder, the media built of it (as the script puts the files on disks, or spread
// anew) and the one-file setup give one plan, which holds
// exactly the folders and files of the written-out tree, each file with the digest and size that
// sha256sum and the file system give for its own source, the two readme.txt each their own.
TEST_F(FolderLinePlanTest, TheSameTreeGivesOnePlanFromEachForm) {
    struct Variant {
        const char* name;
        std::vector<std::pair<std::string, std::string>> edits;
        std::vector<std::string> addedFolders;
        std::vector<std::pair<std::string, std::string>> addedFiles;
    };
    const Variant variants[] = {
        {"a tree below the install folder", {}, {}, {}},
        {"a tree written out in full, whose folders join [OtherFolders], holding a third readme.txt",
         {{"data=%%INSTALLPATH%%\\Data\\**\n", "data=%%INSTALLPATH%%\\Data\\**\nshared=C:\\Shared Tree\\**\n"}},
         {"C:\\Shared Tree", "C:\\Shared Tree\\docs"},
         {{"C:\\Shared Tree\\docs\\readme.txt", "Shared Tree/docs/readme.txt"}}},
        {"a [MediaNames01] of the author's: its name stays and the build's names are the ones read",
         {{"[Desktop]", "[MediaNames01]\napp=tree.exe\n[Desktop]"}},
         {},
         {}},
    };
    WriteFile(package_ / "Shared Tree/docs/readme.txt", "A third readme.txt, in a folder outside the install folder.\r\n");
    for (const Variant& variant : variants) {
        SCOPED_TRACE(variant.name);
        fs::remove(package_ / "install.ini");
        WriteTreePackage(package_);
        EditScript(variant.edits);
        Build();
        const std::string fromPackage = TextPlan(package_);
        EXPECT_EQ(TextPlan(Media()), fromPackage);
        EXPECT_EQ(TextPlan(Media() / "disk01"), fromPackage);
        EXPECT_EQ(TextPlan(Spread()), fromPackage);
        EXPECT_EQ(TextPlan(OneFile()), fromPackage);

        const PlanRows plan = JsonPlan(package_.string(), {"--dest", Folder}, temp_.Path());
        std::vector<std::string> folders = TreeFolders;
        folders.insert(folders.end(), variant.addedFolders.begin(), variant.addedFolders.end());
        EXPECT_EQ(Paths(plan, "folder|package|"), folders);
        std::vector<std::pair<std::string, std::string>> files = TreeFiles;
        files.insert(files.end(), variant.addedFiles.begin(), variant.addedFiles.end());
        std::vector<std::string> installed;
        for (const auto& [path, source] : files) {
            installed.push_back(path);
            const PlanRow row = plan.File(path);
            EXPECT_EQ(row.sha256, Sha256sum(package_ / source)) << path;
            EXPECT_EQ(row.size, std::to_string(fs::file_size(package_ / source))) << path;
        }
        EXPECT_EQ(Paths(plan, "file|package|"), installed);
    }
    // The media hold the author's name and the build's, as the last plan read them.
    EXPECT_TRUE(fs::exists(Media() / "disk01/tree.ex_"));
    EXPECT_TRUE(fs::exists(Media() / "disk01/readme~2.tx_"));
}

// What the build refuses of folder lines, the plan refuses too, with the build's words.
TEST_F(FolderLinePlanTest, FolderLinesTheBuildRefusesHaveNoPlan) {
    struct Case {
        const char* line;
        const char* said;
    };
    const Case cases[] = {
        {"data=%%INSTALLPATH%%\\Missing\\**", "takes the folder \"Missing\""},
        {"data=%%WINDIR%%\\Data\\**", "setup makes folders only below %%INSTALLPATH%%"},
    };
    for (const Case& each : cases) {
        SCOPED_TRACE(each.line);
        fs::remove(package_ / "install.ini");
        WriteTreePackage(package_);
        EditScript({{"data=%%INSTALLPATH%%\\Data\\**", each.line}});
        const ToolRun build = RunTool({"build", package_.string(), "--setup", setup_.string(), "--out", Media().string()});
        EXPECT_EQ(build.exitCode, 2);
        EXPECT_NE(build.err.find(each.said), std::string::npos) << build.err;
        const ToolRun plan = RunTool({"plan", package_.string()});
        EXPECT_EQ(plan.exitCode, 2);
        EXPECT_EQ(plan.out, "");
        EXPECT_NE(plan.err.find(each.said), std::string::npos) << plan.err;
    }
}

// Setup reads a file under the last part of the name [MediaNamesNN] gives it: a name with folders
// in the media's script still finds the file in the disk's folder, and nothing outside it.
TEST_F(FolderLinePlanTest, AMediaNameIsReadByItsLastPart) {
    Build();
    const fs::path script = Media() / "disk01/install.ini";
    std::string text;
    const std::string wide = ReadFile(script);
    for (size_t at = 2; at + 1 < wide.size(); at += 2) text += wide[at];
    const std::string renamed = "data.2=readme~2.txt";
    const size_t at = text.find(renamed);
    ASSERT_NE(at, std::string::npos) << text;
    text.replace(at, renamed.size(), "data.2=..\\..\\elsewhere\\readme~2.txt");
    WriteFile(script, Utf16Of(text));
    EXPECT_EQ(TextPlan(Media()), TextPlan(package_));
}
