#include <gtest/gtest.h>

#include "app/MainForm.h"
#include "dialogs/InstallForm.h"
#include "dialogs/LicenceForm.h"
#include "install/ProgressForm.h"
#include "state/SetupState.h"
#include "state/UninstallLog.h"
#include "support/LoggedKeys.h"
#include "support/ScriptedUi.h"
#include "support/SetupStateScope.h"
#include "support/TestFiles.h"
#include "toolkit/Application.h"
#include "uninstall/UninstallForm.h"

namespace {

bool TakeQuitRequest() {
    MSG message;
    return PeekMessageA(&message, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE) != FALSE;
}

class WizardSequenceTest : public ::testing::Test {
protected:
    WizardSequenceTest() {
        Application::Instance().SetMainForm(&main_);
        ::Setup.MainForm = &main_;
        ::Setup.LicenceForm = &licence_;
        ::Setup.InstallForm = &install_;
        ::Setup.ProgressForm = &progress_;
        ::Setup.UninstallForm = &uninstall_;
        ::Setup.PackageName = "Example Editor";
        ::Setup.TempDir = temp_.Path() + "\\";
        ::Setup.InstallScript = std::make_unique<ProfileFile>(temp_ / "install.ini");
        ShowWindow(main_.Handle(), SW_SHOW);
    }
    ~WizardSequenceTest() override {
        TakeQuitRequest();
        Application::Instance().SetMainForm(nullptr);
        ::Setup.MainForm = nullptr;
        ::Setup.LicenceForm = nullptr;
        ::Setup.InstallForm = nullptr;
        ::Setup.ProgressForm = nullptr;
        ::Setup.UninstallForm = nullptr;
        ::Setup.InstallScript.reset();
        ::Setup.Registry.reset();
    }

    void WriteScript(const std::string& content) { WriteTextFile(temp_ / "install.ini", content); }

    TempFolder temp_;
    SetupStateScope state_;
    ScriptedUi ui_;
    TMainForm main_;
    TLicenceForm licence_;
    TInstallForm install_;
    TProgressForm progress_;
    TUninstallForm uninstall_;
};

}  // namespace

TEST_F(WizardSequenceTest, LicenceNoneSkipsTheLicenceAndKeepsTheMainWindowVisible) {
    WriteScript("[Licence]\nlicence=none\n");
    ui_.AnswerModal(install_, {ResultNo});
    main_.Button1Click();
    EXPECT_EQ(ui_.ModalShown(), (std::vector<Form*>{&install_}));
    EXPECT_TRUE(main_.Visible());
    EXPECT_EQ(main_.Aborted, 1);
    EXPECT_TRUE(TakeQuitRequest());
}

TEST_F(WizardSequenceTest, RefusedLicenceEndsTheRunBeforeTheDestination) {
    for (const char* script : {"[Licence]\nlicence=None\n", "[Package]\nname=Example Editor\n"}) {
        SCOPED_TRACE(script);
        WriteScript(script);
        main_.Aborted = 0;
        ShowWindow(main_.Handle(), SW_SHOW);
        ScriptedUi ui;
        ui.AnswerModal(licence_, {ResultNo});
        ui.modalDefault = ResultYes;
        main_.Button1Click();
        EXPECT_EQ(ui.ModalShown(), (std::vector<Form*>{&licence_}));
        EXPECT_FALSE(main_.Visible());
        EXPECT_EQ(main_.Aborted, 1);
        EXPECT_TRUE(TakeQuitRequest());
    }
}

TEST_F(WizardSequenceTest, ErrorInsideTheSequenceIsReportedAndStillEndsTheRun) {
    // The folders are prepared, and the log of the first one made cannot be written.
    WriteScript("[Licence]\nlicence=licence.txt\n[InstallFolder]\ni=x\na=Data\n");
    ::Setup.InstallFolder = temp_.Path();
    state_.OpenUninstallLog(temp_ / "missing\\uninstal.ini");
    ui_.modalDefault = ResultYes;
    main_.Button1Click();
    EXPECT_EQ(ui_.ModalShown(), (std::vector<Form*>{&licence_, &install_})) << "the install is not shown";
    ASSERT_EQ(ui_.Boxes().size(), 1u);
    EXPECT_EQ(ui_.Boxes()[0].text, "Unable to write to " + temp_ / "missing\\uninstal.ini" + ".");
    EXPECT_EQ(ui_.Boxes()[0].caption, Application::Instance().Title());
    EXPECT_EQ(ui_.Boxes()[0].style, static_cast<UINT>(MB_OK | MB_ICONERROR));
    EXPECT_FALSE(main_.Visible());
    EXPECT_TRUE(TakeQuitRequest()) << "no run may linger without a visible window";
}

TEST_F(WizardSequenceTest, UninstallAsksFirstAndNoUninstallsNothing) {
    ui_.AnswerBoxes({IDNO});
    main_.Button3Click();
    ASSERT_EQ(ui_.Boxes().size(), 1u);
    EXPECT_EQ(ui_.Boxes()[0].text, "Are you sure?");
    EXPECT_EQ(ui_.Boxes()[0].caption, "  Uninstall Example Editor");
    EXPECT_EQ(ui_.Boxes()[0].style, static_cast<UINT>(MB_YESNO | MB_ICONQUESTION));
    EXPECT_TRUE(ui_.ModalShown().empty());
    EXPECT_FALSE(main_.Visible());
    EXPECT_EQ(main_.Aborted, 1);
    EXPECT_TRUE(TakeQuitRequest());

    main_.Aborted = 0;
    ui_.AnswerBoxes({IDYES});
    ui_.AnswerModal(uninstall_, {ResultCancel});
    main_.Button3Click();
    EXPECT_EQ(ui_.ModalShown(), (std::vector<Form*>{&uninstall_}));
    EXPECT_TRUE(TakeQuitRequest());
}

TEST_F(WizardSequenceTest, DestroyLeavesTheLogInTheInstallFolderAndDeletesTheTempCopies) {
    TempFolder app;
    ::Setup.InstallFolder = app.Path();
    WriteScript("[Package]\nname=Example Editor\n");
    state_.OpenUninstallLog(temp_ / "uninstal.ini");
    EXPECT_TRUE(LogPackageName("Example Editor").Ok());
    EXPECT_TRUE(LogFile("c:\\x").Ok());
    const std::string log = ReadTextFile(temp_ / "uninstal.ini");
    main_.FormDestroy();
    EXPECT_EQ(::Setup.InstallScript, nullptr);
    EXPECT_EQ(::Setup.UninstallLog, nullptr);
    const std::string installed = ReadTextFile(app / "uninstal.ini");
    EXPECT_EQ(installed.substr(0, log.size()), log) << "then the entries of its record";
    RemoveLoggedKeys(app / "uninstal.ini");
    EXPECT_FALSE(FileExists(temp_ / "install.ini"));
    EXPECT_FALSE(FileExists(temp_ / "uninstal.ini"));
}

TEST_F(WizardSequenceTest, DestroyWithoutInstallFolderOrTempDirectoryTouchesNothingElse) {
    CurrentFolderGuard restore;
    TempFolder media;
    SetCurrentDirectoryA(media.Path().c_str());
    WriteTextFile(media / "install.ini", "[Package]\nname=Example Editor\n");
    WriteTextFile(media / "uninstal.ini", "[Package]\nname=Example Editor\n");
    WriteTextFile(temp_ / "uninstal.ini", "[Package]\nname=Example Editor\n");
    DeleteFileA("\\uninstal.ini");
    ::Setup.InstallFolder = "";
    main_.FormDestroy();
    EXPECT_FALSE(FileExists(temp_ / "uninstal.ini"));
    EXPECT_FALSE(FileExists("\\uninstal.ini")) << "no copy into the root of the current drive";
    ::Setup.TempDir = "";
    main_.FormDestroy();
    EXPECT_TRUE(FileExists(media / "install.ini")) << "the media's own files are not Temp copies";
    EXPECT_TRUE(FileExists(media / "uninstal.ini"));
}
