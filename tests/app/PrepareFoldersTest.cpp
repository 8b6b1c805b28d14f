#include <gtest/gtest.h>

#include "app/MainForm.h"
#include "app/StartupEnvironment.h"
#include "state/SetupState.h"
#include "support/ScriptedUi.h"
#include "support/TestFiles.h"

namespace {

using Lines = std::vector<std::string>;

// PrepareFolders on a main window of the test's own, with a script and a log of the test's
// own, started from a media folder that must be current again afterwards.
class PrepareFoldersTest : public ::testing::Test {
protected:
    PrepareFoldersTest() {
        ::Setup = SetupState{};
        ::Setup.PackageName = "Foo";
        ::Setup.InstallScript = std::make_unique<ProfileFile>(files_ / "install.ini");
        ::Setup.UninstallLog = std::make_unique<ProfileFile>(files_ / "uninstal.ini");
        WriteTextFile(root_ / "file.txt", "a file where a folder would go");
        SetCurrentDirectoryA(media_.Path().c_str());
    }
    ~PrepareFoldersTest() override { ::Setup = SetupState{}; }

    void WriteScript(const std::string& text) { WriteTextFile(files_ / "install.ini", text); }

    Lines LoggedDirectories() const {
        EntryList list;
        ::Setup.UninstallLog->ReadEntries("Directories", list);
        Lines lines;
        for (const Entry& entry : list) lines.push_back(entry.name + "=" + entry.value);
        return lines;
    }

    void ExpectGivenUpWith(const std::string& text) {
        ASSERT_FALSE(ui_.Boxes().empty());
        EXPECT_EQ(ui_.Boxes().back().text, text);
        EXPECT_EQ(ui_.Boxes().back().caption, "Fatal Error");
        EXPECT_EQ(ui_.Boxes().back().style, 16u);
        EXPECT_EQ(form_.Aborted, 1);
        EXPECT_FALSE(MainFormGuard::QuitRequested()) << "the sequence closes the window, not the preparation";
        EXPECT_EQ(CurrentFolder(), media_.Path());
    }

    TempFolder media_;
    TempFolder files_;
    TempFolder root_;
    CurrentFolderGuard restoreFolder_;
    ScriptedUi ui_;
    TMainForm form_;
    MainFormGuard main_{form_};
};

}  // namespace

TEST_F(PrepareFoldersTest, ExistingInstallFolderGetsOnlyItsMissingFoldersWithoutAQuestion) {
    CreateDirectoryA((root_ / "App").c_str(), nullptr);
    CreateDirectoryA((root_ / "App\\Old").c_str(), nullptr);
    ::Setup.InstallFolder = root_ / "App";
    WriteScript(
        "[InstallFolder]\r\nfirst=Skipped\r\ndata=Data\r\nold=Old\r\ndocs=Help\\Docs\r\n"
        "[OtherFolders]\r\ntools=" +
        (root_ / "Shared\\Tools") + "\r\n");
    EXPECT_TRUE(form_.PrepareFolders().Ok());

    EXPECT_TRUE(ui_.Boxes().empty());
    EXPECT_EQ(form_.Aborted, 0);
    EXPECT_FALSE(FolderExists(root_ / "App\\Skipped")) << "the first entry holds the default destination";
    EXPECT_EQ(LoggedDirectories(), Lines({"dir1=" + (root_ / "App\\Data"), "dir2=" + (root_ / "App\\Help"),
                                          "dir3=" + (root_ / "App\\Help\\Docs"), "dir4=" + (root_ / "Shared"),
                                          "dir5=" + (root_ / "Shared\\Tools")}));
    EXPECT_TRUE(FolderExists(root_ / "Shared\\Tools"));
    EXPECT_EQ(CurrentFolder(), media_.Path());
}

TEST_F(PrepareFoldersTest, MissingInstallFolderIsMadeWithEveryMissingLevelWhenTheUserAgrees) {
    ::Setup.InstallFolder = root_ / "Programs\\App";
    WriteScript("[InstallFolder]\r\ninstall=C:\\Elsewhere\r\ndata=Data\r\n");
    ui_.AnswerBoxes({IDYES});
    EXPECT_TRUE(form_.PrepareFolders().Ok());

    ASSERT_EQ(ui_.Boxes().size(), 1u);
    EXPECT_EQ(ui_.Boxes()[0].text, "Folder " + ::Setup.InstallFolder + " does not exist.\nDo you wish to create it ?");
    EXPECT_EQ(ui_.Boxes()[0].caption, "Folder Does Not Exist");
    EXPECT_EQ(ui_.Boxes()[0].style, 36u);
    EXPECT_EQ(form_.Aborted, 0);
    EXPECT_EQ(LoggedDirectories(), Lines({"dir1=" + (root_ / "Programs"), "dir2=" + (root_ / "Programs\\App"),
                                          "dir3=" + (root_ / "Programs\\App\\Data")}));
    EXPECT_EQ(CurrentFolder(), media_.Path());
}

TEST_F(PrepareFoldersTest, DecliningTheInstallFolderEndsTheRunWithNothingMade) {
    ::Setup.InstallFolder = root_ / "App";
    WriteScript("[InstallFolder]\r\ninstall=C:\\App\r\ndata=Data\r\n[OtherFolders]\r\nx=" + (root_ / "Other") + "\r\n");
    ui_.AnswerBoxes({IDNO});
    EXPECT_TRUE(form_.PrepareFolders().Ok());

    ASSERT_EQ(ui_.Boxes().size(), 2u);
    EXPECT_EQ(ui_.Boxes()[1].text, "Foo was not completely installed !");
    EXPECT_EQ(ui_.Boxes()[1].caption, "Setup Abort");
    EXPECT_EQ(ui_.Boxes()[1].style, 16u);
    EXPECT_EQ(form_.Aborted, 1);
    EXPECT_TRUE(MainFormGuard::QuitRequested());
    EXPECT_FALSE(FolderExists(root_ / "App"));
    EXPECT_FALSE(FolderExists(root_ / "Other"));
    EXPECT_TRUE(LoggedDirectories().empty());
    EXPECT_EQ(CurrentFolder(), media_.Path());
}

TEST_F(PrepareFoldersTest, InstallFolderWithARefusedNameIsAProblemWithoutAQuestion) {
    ::Setup.InstallFolder = root_ / "A<pp";
    EXPECT_TRUE(form_.PrepareFolders().Ok());
    EXPECT_EQ(ui_.Boxes().size(), 1u);
    ExpectGivenUpWith("Problem with Install Folder " + (root_ / "A<pp"));
}

TEST_F(PrepareFoldersTest, InstallFolderThatCannotBeMadeIsReported) {
    ::Setup.InstallFolder = root_ / "file.txt\\App";
    ui_.AnswerBoxes({IDYES});
    EXPECT_TRUE(form_.PrepareFolders().Ok());
    EXPECT_EQ(ui_.Boxes().size(), 2u);
    ExpectGivenUpWith("Could not create " + ::Setup.InstallFolder);
}

TEST_F(PrepareFoldersTest, EachFolderThatFailsGivesItsOwnMessageAndKeepsWhatWasMade) {
    const std::string app = root_.Path();
    struct Case {
        std::string script, message;
    };
    const std::vector<Case> cases = {
        {"[InstallFolder]\r\ni=x\r\na=Made\r\nb=Bad|Name\r\n", "Problem with Install Folder"},
        {"[InstallFolder]\r\ni=x\r\na=Made\r\nb=file.txt\\Sub\r\n", "Could not create " + app + "\\file.txt\\Sub"},
        {"[InstallFolder]\r\ni=x\r\na=Made\r\nb=" + std::string(260, 'b') + "\r\n",
         "Path too long: " + (app + "\\" + std::string(260, 'b')).substr(0, 100) + "..."},
        {"[InstallFolder]\r\ni=x\r\na=Made\r\n[OtherFolders]\r\nb=" + app + "\\Bad<Name\r\n",
         "Problem with " + app + "\\Bad<Name"},
        {"[InstallFolder]\r\ni=x\r\na=Made\r\n[OtherFolders]\r\nb=" + app + "\\file.txt\\Sub\r\n",
         "Could not create " + app + "\\file.txt\\Sub"},
    };
    ::Setup.InstallFolder = app;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.message);
        RemoveDirectoryA((app + "\\Made").c_str());
        WriteTextFile(files_ / "uninstal.ini", "");
        ::Setup.DirEntryCount = 0;
        form_.Aborted = 0;
        WriteScript(c.script);
        EXPECT_TRUE(form_.PrepareFolders().Ok());
        ExpectGivenUpWith(c.message);
        EXPECT_EQ(LoggedDirectories(), Lines({"dir1=" + app + "\\Made"}));
    }
    EXPECT_EQ(ui_.Boxes().size(), cases.size()) << "no question for folders other than the install folder";
}

TEST_F(PrepareFoldersTest, LogThatCannotBeWrittenEndsThePreparationWithTheMediaCurrent) {
    ::Setup.InstallFolder = root_.Path();
    ::Setup.UninstallLog = std::make_unique<ProfileFile>(root_ / "missing\\uninstal.ini");
    WriteScript("[InstallFolder]\r\ni=x\r\na=Data\r\n");
    const Status prepared = form_.PrepareFolders();
    EXPECT_EQ(prepared.Message(), "Unable to write to " + root_ / "missing\\uninstal.ini");
    EXPECT_FALSE(prepared.IsFatal()) << "the default error report shows it";
    EXPECT_TRUE(ui_.Boxes().empty()) << "the sequence reports it";
    EXPECT_EQ(CurrentFolder(), media_.Path());
}
