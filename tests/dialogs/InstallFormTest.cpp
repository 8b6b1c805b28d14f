#include <gtest/gtest.h>

#include "dialogs/ChangeForm.h"
#include "dialogs/DialogTestSupport.h"
#include "dialogs/InstallForm.h"
#include "state/SetupState.h"
#include "support/ScriptedUi.h"
#include "support/SetupStateScope.h"
#include "support/TestFiles.h"
#include "toolkit/Application.h"

namespace {

std::string Repeated(const std::string& letter, size_t times) {
    std::string text;
    for (size_t i = 0; i < times; ++i) text += letter;
    return text;
}

class InstallFormTest : public ::testing::Test {
protected:
    InstallFormTest() {
        SetCurrentDirectoryA(media_.Path().c_str());
        ::Setup.PackageName = "Example Editor";
        ::Setup.ProgramFilesDir = programs_.Path();
        ::Setup.InstallScript = std::make_unique<ProfileFile>(media_ / "install.ini");
        ::Setup.ChangeForm = &chooser_;
    }
    ~InstallFormTest() override {
        ::Setup.InstallScript.reset();
        ::Setup.ChangeForm = nullptr;
    }

    // Shows the dialog and presses the buttons queued before; the activation runs first.
    int ShowWith(const Button& button) {
        QueueClick(button);
        return form_.ShowModal();
    }

    TempFolder media_;
    TempFolder programs_;
    CurrentFolderGuard restore_;
    SetupStateScope state_;
    ScriptedUi ui_;
    TChangeForm chooser_;
    TInstallForm form_;
};

}  // namespace

TEST_F(InstallFormTest, WithoutInstallKeyProposesDriveCAndThePackageNameSelected) {
    WriteTextFile(media_ / "install.ini", "[Package]\nname=Example Editor\n");
    EXPECT_EQ(ShowWith(form_.Button2), ResultYes);
    EXPECT_EQ(form_.Edit1.Text(), "c:\\Example Editor");
    EXPECT_EQ(::Setup.InstallFolder, "c:\\Example Editor");
}

TEST_F(InstallFormTest, ProposalHasItsMacrosExpandedAndStandsWithoutAPress) {
    WriteTextFile(media_ / "install.ini", "[InstallFolder]\ninstall=%%PROGPATH%%\\Example\n");
    ::Setup.InstallFolder = "left from before";
    form_.Show();
    EXPECT_EQ(::Setup.InstallFolder, programs_ / "Example");
    EXPECT_EQ(form_.Edit1.SelectedText(), programs_ / "Example") << "typing replaces the whole proposal";
    form_.Hide();
}

TEST_F(InstallFormTest, InstallTakesTheTypedTextLiterallyWhenItIsAFullPath) {
    WriteTextFile(media_ / "install.ini", "[InstallFolder]\ninstall=c:\\App\n");
    form_.Show();
    form_.Edit1.SetText("d:\\%%WINDIR%%\\Typed");
    EXPECT_EQ(ShowWith(form_.Button2), ResultYes);
    EXPECT_EQ(::Setup.InstallFolder, "c:\\App") << "each showing starts again from the proposal";

    form_.Show();
    form_.Edit1.SetText("d:\\%%WINDIR%%\\Typed");
    form_.Button2.Click();
    EXPECT_EQ(::Setup.InstallFolder, "d:\\%%WINDIR%%\\Typed");
    EXPECT_EQ(form_.ModalResult(), ResultYes);
    form_.Hide();

    // What the current folder would complete is refused, not made beside the media.
    for (const std::string typed : {"", "App", "\\App", "c:App"}) {
        form_.Show();
        form_.Edit1.SetText(typed);
        form_.Button2.Click();
        ASSERT_FALSE(ui_.Boxes().empty());
        EXPECT_EQ(ui_.Boxes().back().text, "The install folder must be a full path: " + typed);
        EXPECT_EQ(::Setup.InstallFolder, "c:\\App") << "the dialog stays with the proposal";
        form_.Hide();
    }
}

TEST_F(InstallFormTest, FolderWhoseLogWouldNotFitAPathBufferIsRefusedNotCut) {
    WriteTextFile(media_ / "install.ini", "[InstallFolder]\ninstall=c:\\App\n");
    // The limit is in characters: a Chinese name is three bytes a character and fits as well.
    size_t boxes = 0;
    for (const std::string letter : {"x", "\xE7\x8E\x8B"}) {
        form_.Show();
        // With "\uninstal.ini" the log's path would be 260 characters.
        form_.Edit1.SetText("c:\\" + Repeated(letter, 244));
        form_.Button2.Click();
        ASSERT_EQ(ui_.Boxes().size(), ++boxes) << letter;
        EXPECT_EQ(ui_.Boxes().back().text, "The install folder is 247 characters long; at most 246 are possible");
        EXPECT_EQ(ui_.Boxes().back().caption, "Install");
        EXPECT_EQ(ui_.Boxes().back().style, static_cast<UINT>(MB_OK | MB_ICONERROR));
        EXPECT_EQ(form_.ModalResult(), 0) << "the dialog stays";
        EXPECT_EQ(::Setup.InstallFolder, "c:\\App");
        form_.Edit1.SetText("c:\\" + Repeated(letter, 243));
        form_.Button2.Click();
        EXPECT_EQ(::Setup.InstallFolder, "c:\\" + Repeated(letter, 243));
        form_.Hide();
        form_.SetModalResult(0);
        ::Setup.InstallFolder = "c:\\App";
    }
}

TEST_F(InstallFormTest, ExitAsksAndOnlyYesEndsWithNo) {
    WriteTextFile(media_ / "install.ini", "[InstallFolder]\ninstall=c:\\App\n");
    form_.Show();
    form_.Edit1.SetText("c:\\Typed");
    ui_.AnswerBoxes({IDNO, IDYES});
    form_.Button3.Click();
    EXPECT_EQ(form_.ModalResult(), 0);
    EXPECT_EQ(form_.Edit1.Text(), "c:\\Typed");
    EXPECT_EQ(::Setup.InstallFolder, "c:\\App");
    form_.Button3.Click();
    EXPECT_EQ(form_.ModalResult(), ResultNo);
    ASSERT_EQ(ui_.Boxes().size(), 2u);
    EXPECT_EQ(ui_.Boxes()[0].text, "Do you really want to quit ?");
    EXPECT_EQ(ui_.Boxes()[0].caption, "Install");
    EXPECT_EQ(ui_.Boxes()[0].style, static_cast<UINT>(MB_YESNO | MB_ICONQUESTION));
    form_.Hide();
}

TEST_F(InstallFormTest, ChooserOpensInProgramFilesAndItsCancelRestoresFolderAndMedia) {
    WriteTextFile(media_ / "install.ini", "[InstallFolder]\ninstall=c:\\App\n");
    form_.Show();
    form_.Edit1.SetText("c:\\Typed but lost");
    std::string currentInChooser;
    ui_.onModal = [&](Form& shown) -> std::optional<int> {
        EXPECT_EQ(&shown, &chooser_);
        currentInChooser = CurrentFolder();
        SetCurrentDirectoryA(programs_.Path().c_str());
        ::Setup.InstallFolder = "browsed";
        return ResultCancel;
    };
    form_.Button1.Click();
    EXPECT_EQ(currentInChooser, programs_.Path());
    EXPECT_EQ(CurrentFolder(), media_.Path());
    EXPECT_EQ(::Setup.InstallFolder, "c:\\App");
    EXPECT_EQ(form_.Edit1.Text(), "c:\\App");
    EXPECT_EQ(form_.Edit1.SelectedText(), "c:\\App");

    ui_.onModal = [&](Form&) -> std::optional<int> {
        ::Setup.InstallFolder = "d:\\Chosen";
        return ResultOk;
    };
    form_.Button1.Click();
    EXPECT_EQ(::Setup.InstallFolder, "d:\\Chosen");
    EXPECT_EQ(form_.Edit1.Text(), "d:\\Chosen");
    EXPECT_EQ(CurrentFolder(), media_.Path());
    form_.Hide();
}
