#include <gtest/gtest.h>

#include "dialogs/DialogTestSupport.h"
#include "dialogs/LicenceForm.h"
#include "state/SetupState.h"
#include "support/ScriptedUi.h"
#include "support/SetupStateScope.h"
#include "support/TestFiles.h"
#include "toolkit/Application.h"
#include "toolkit/Memo.h"

namespace {

class LicenceFormTest : public ::testing::Test {
protected:
    LicenceFormTest() {
        SetCurrentDirectoryA(media_.Path().c_str());
        ::Setup.PackageName = "Example Editor";
        ::Setup.InstallScript = std::make_unique<ProfileFile>(media_ / "install.ini");
    }
    ~LicenceFormTest() override { ::Setup.InstallScript.reset(); }

    TempFolder media_;
    CurrentFolderGuard restore_;
    SetupStateScope state_;
    ScriptedUi ui_;
};

}  // namespace

TEST(Memo, LinesEndedAnyWayAreShownAsLinesWithoutATrailingEmptyOne) {
    EXPECT_EQ(JoinLinesForDisplay("one\ntwo\r\nthree\rfour\n"), "one\r\ntwo\r\nthree\r\nfour");
    EXPECT_EQ(JoinLinesForDisplay("a\n\nb"), "a\r\n\r\nb");
    EXPECT_EQ(JoinLinesForDisplay(""), "");
}

TEST_F(LicenceFormTest, WithoutLicenceKeyShowsLicenceTxtUnderThePackageTitle) {
    WriteTextFile(media_ / "install.ini", "[Package]\nname=Example Editor\n");
    std::string longText;
    for (int i = 0; i < 2000; ++i) longText += "Line " + std::to_string(i) + " of the licence terms\n";
    WriteTextFile(media_ / "licence.txt", longText);
    TLicenceForm form;
    EXPECT_EQ(form.Memo1.Text(), "Memo1");
    QueueClick(form.Button1);
    EXPECT_EQ(form.ShowModal(), ResultYes);
    EXPECT_EQ(form.Caption(), "Licence Agreement for Example Editor");
    EXPECT_EQ(form.Memo1.Text(), JoinLinesForDisplay(longText)) << "more than a multi-line box holds by default";
    EXPECT_TRUE(ui_.Boxes().empty());
    EXPECT_TRUE(GetWindowLongPtrA(form.Memo1.Handle(), GWL_STYLE) & ES_READONLY);
}

TEST_F(LicenceFormTest, NamedFileIsShownAndExitEndsWithNo) {
    CreateDirectoryA((media_ / "docs").c_str(), nullptr);
    WriteTextFile(media_ / "install.ini", "[Licence]\nlicence=docs\\terms.txt\n");
    WriteTextFile(media_ / "docs\\terms.txt", "Terms of use\n");
    TLicenceForm form;
    QueueClick(form.Button2);
    EXPECT_EQ(form.ShowModal(), ResultNo);
    EXPECT_EQ(form.Memo1.Text(), "Terms of use");
}

TEST_F(LicenceFormTest, UnreadableFileIsReportedAndThePreviousTextStays) {
    WriteTextFile(media_ / "install.ini", "[Licence]\nlicence=gone.txt\n");
    TLicenceForm form;
    QueueClick(form.Button1);
    EXPECT_EQ(form.ShowModal(), ResultYes) << "the user can still answer";
    ASSERT_EQ(ui_.Boxes().size(), 1u);
    EXPECT_EQ(ui_.Boxes()[0].text, "Cannot open file gone.txt.");
    EXPECT_EQ(ui_.Boxes()[0].caption, Application::Instance().Title());
    EXPECT_EQ(form.Memo1.Text(), "Memo1");

    WriteTextFile(media_ / "gone.txt", "Found later\n");
    QueueClick(form.Button1);
    form.ShowModal();
    DeleteFileA((media_ / "gone.txt").c_str());
    QueueClick(form.Button1);
    form.ShowModal();
    EXPECT_EQ(form.Memo1.Text(), "Found later") << "a failed load keeps the last text shown";
}
