#include <gtest/gtest.h>

#include "dialogs/ChangeForm.h"
#include "dialogs/DialogTestSupport.h"
#include "dialogs/NewFolderForm.h"
#include "state/SetupState.h"
#include "support/ScriptedUi.h"
#include "support/SetupStateScope.h"
#include "support/TestFiles.h"
#include "toolkit/Application.h"

#include <cctype>

namespace {

class FolderChooserTest : public ::testing::Test {
protected:
    FolderChooserTest() {
        for (const char* name : {"beta", "Alpha", "gamma"}) CreateDirectoryA((start_ / name).c_str(), nullptr);
        WriteTextFile(start_ / "file.txt", "not a folder at all");
        SetCurrentDirectoryA(start_.Path().c_str());
        ::Setup.ChangeForm = &chooser_;
        ::Setup.NewFolderForm = &newFolder_;
        ::Setup.InstallFolder = "c:\\Proposal";
    }
    ~FolderChooserTest() override {
        chooser_.Hide();
        newFolder_.Hide();
        ::Setup.ChangeForm = nullptr;
        ::Setup.NewFolderForm = nullptr;
    }

    std::vector<std::string> Subfolders() const {
        const auto names = chooser_.DirectoryListBox1.EntryNames();
        return {names.begin() + static_cast<long>(chooser_.DirectoryListBox1.OpenEntryIndex()) + 1, names.end()};
    }
    // Label2 shows the path, or when too wide its drive, "..." and its last levels.
    bool LabelShows(const std::string& path) const {
        const std::string shown = chooser_.Label2.Caption();
        if (shown == path) return true;
        const std::string prefix = path.substr(0, 3) + "...";
        return shown.rfind(prefix, 0) == 0 && path.size() > shown.size() &&
               path.compare(path.size() - (shown.size() - prefix.size()), std::string::npos, shown,
                            prefix.size()) == 0;
    }
    void Select(size_t index) { SendMessageA(chooser_.DirectoryListBox1.Handle(), LB_SETCURSEL, index, 0); }

    CurrentFolderGuard restore_;
    TempFolder start_;
    SetupStateScope state_;
    ScriptedUi ui_;
    TChangeForm chooser_;
    TNewFolderForm newFolder_;
};

}  // namespace

TEST(DirectoryLevels, PathIsSplitIntoTheRootAndEachLevel) {
    EXPECT_EQ(PathLevels("C:\\Program Files\\Example"), (std::vector<std::string>{"C:\\", "Program Files", "Example"}));
    EXPECT_EQ(PathLevels("C:\\"), (std::vector<std::string>{"C:\\"}));
}

TEST_F(FolderChooserTest, OpensTheCurrentDirectoryWithAncestorsAboveAndSortedSubfoldersBelow) {
    chooser_.Show();
    const auto& list = chooser_.DirectoryListBox1;
    EXPECT_EQ(list.Directory(), start_.Path());
    EXPECT_TRUE(LabelShows(start_.Path())) << chooser_.Label2.Caption();
    EXPECT_EQ(list.EntryNames().front(), start_.Path().substr(0, 3));
    EXPECT_EQ(Subfolders(), (std::vector<std::string>{"Alpha", "beta", "gamma"}));
    EXPECT_EQ(SendMessageA(list.Handle(), LB_GETCOUNT, 0, 0), static_cast<LRESULT>(list.EntryNames().size()));
    EXPECT_EQ(SendMessageA(list.Handle(), LB_GETITEMHEIGHT, 0, 0), 16);
    EXPECT_EQ(chooser_.DriveComboBox1.Drive(), 'c');
}

TEST_F(FolderChooserTest, DoubleClickAndEnterOpenEntriesAsTheCurrentDirectory) {
    chooser_.Show();
    auto& list = chooser_.DirectoryListBox1;
    Select(list.OpenEntryIndex() + 2);  // beta
    SendMessageA(chooser_.Handle(), WM_COMMAND, MAKEWPARAM(0, LBN_DBLCLK), reinterpret_cast<LPARAM>(list.Handle()));
    EXPECT_EQ(list.Directory(), start_ / "beta");
    EXPECT_EQ(CurrentFolder(), start_ / "beta");
    EXPECT_TRUE(LabelShows(start_ / "beta")) << chooser_.Label2.Caption();
    EXPECT_TRUE(Subfolders().empty());

    Select(list.OpenEntryIndex() - 1);  // back up to the parent
    SendMessageA(list.Handle(), WM_KEYDOWN, VK_RETURN, 0);
    EXPECT_EQ(list.Directory(), start_.Path());
    list.OpenEntry(0);
    EXPECT_EQ(CurrentFolder(), start_.Path().substr(0, 3));
    EXPECT_EQ(list.OpenEntryIndex(), 0u);
}

TEST_F(FolderChooserTest, OkStoresTheWholePathEvenWhenTheLabelCannotShowIt) {
    std::string deep = start_.Path();
    for (const char* name : {"a rather long folder name", "another long folder name", "and the last one"}) {
        deep += std::string("\\") + name;
        CreateDirectoryA(deep.c_str(), nullptr);
    }
    SetCurrentDirectoryA(deep.c_str());
    QueueClick(chooser_.Button1);
    EXPECT_EQ(chooser_.ShowModal(), ResultOk);
    EXPECT_EQ(::Setup.InstallFolder, deep);
    const Bounds label = chooser_.Label2.GetBounds();
    EXPECT_LE(label.left + label.width, 16 + 329) << "the label stays within the list's width";
    EXPECT_TRUE(LabelShows(deep)) << chooser_.Label2.Caption();
}

TEST_F(FolderChooserTest, CancelAfterBrowsingChangesNothing) {
    chooser_.Show();
    chooser_.DirectoryListBox1.OpenEntry(chooser_.DirectoryListBox1.OpenEntryIndex() + 1);
    QueueClick(chooser_.Button2);
    EXPECT_EQ(chooser_.ShowModal(), ResultCancel);
    EXPECT_EQ(::Setup.InstallFolder, "c:\\Proposal");
}

TEST_F(FolderChooserTest, DriveChangeOpensThatDriveAndTheSameDriveDoesNothing) {
    chooser_.Show();
    auto& list = chooser_.DirectoryListBox1;
    list.OpenEntry(list.OpenEntryIndex() + 1);
    chooser_.DriveComboBox1.ChooseDrive('C');
    EXPECT_EQ(list.Directory(), start_ / "Alpha") << "the drive already open";
    // Wine maps the Linux root as drive Z:.
    chooser_.DriveComboBox1.ChooseDrive('z');
    EXPECT_EQ(std::tolower(static_cast<unsigned char>(list.Directory()[0])), 'z');
    EXPECT_EQ(std::tolower(static_cast<unsigned char>(CurrentFolder()[0])), 'z');
    EXPECT_TRUE(LabelShows(list.Directory())) << chooser_.Label2.Caption();
}

TEST_F(FolderChooserTest, PopupMenuOpensTheNewFolderDialogAndTheListShowsWhatItMade) {
    chooser_.Show();
    ASSERT_EQ(chooser_.PopupMenu1.ItemCount(), 1u);
    EXPECT_EQ(chooser_.PopupMenu1.ItemCaption(0), "&New Folder");
    ui_.onModal = [&](Form& shown) -> std::optional<int> {
        EXPECT_EQ(&shown, &newFolder_);
        CreateDirectoryA("Made meanwhile", nullptr);
        return ResultCancel;
    };
    chooser_.PopupMenu1.ClickItem(0);
    EXPECT_EQ(Subfolders(), (std::vector<std::string>{"Alpha", "beta", "gamma", "Made meanwhile"}));
}

TEST_F(FolderChooserTest, CreateMakesTypedFoldersInTheOpenFolderOnlyWhenSomethingWasTyped) {
    chooser_.Show();
    newFolder_.Show();
    newFolder_.Button1.Click();
    EXPECT_TRUE(ui_.Boxes().empty());
    TypeInto(newFolder_.Edit1.Handle(), "Delta");
    newFolder_.Button1.Click();
    EXPECT_TRUE(FolderExists(start_ / "Delta"));
    EXPECT_EQ(newFolder_.Edit1.Text(), "");
    EXPECT_EQ(Subfolders(), (std::vector<std::string>{"Alpha", "beta", "Delta", "gamma"}));
    EXPECT_EQ(chooser_.DirectoryListBox1.Directory(), start_.Path()) << "the open folder stays";
    newFolder_.Button1.Click();
    EXPECT_TRUE(ui_.Boxes().empty()) << "nothing typed since the box was emptied";

    TypeInto(newFolder_.Edit1.Handle(), "beta");
    newFolder_.Button1.Click();
    ASSERT_EQ(ui_.Boxes().size(), 1u);
    EXPECT_EQ(ui_.Boxes()[0].text, "Folder beta not created");
    EXPECT_EQ(ui_.Boxes()[0].caption, "Error");
    EXPECT_EQ(ui_.Boxes()[0].style, static_cast<UINT>(MB_OK | MB_ICONERROR));
    EXPECT_EQ(newFolder_.Edit1.Text(), "");

    QueueClick(newFolder_.Button2);
    EXPECT_EQ(newFolder_.ShowModal(), ResultCancel);
}

TEST_F(FolderChooserTest, NewFolderNameIsLimitedToItsBuffer) {
    newFolder_.Show();
    TypeInto(newFolder_.Edit1.Handle(), std::string(45, 'n'));
    EXPECT_EQ(newFolder_.Edit1.Text(), std::string(39, 'n'));
    newFolder_.Edit1.SetText("stale");
    newFolder_.Show();
    EXPECT_EQ(newFolder_.Edit1.Text(), "") << "each showing starts empty";
}
