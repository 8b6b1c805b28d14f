#include <gtest/gtest.h>

#include "install/InstallTestBed.h"
#include "toolkit/Application.h"

using namespace installtests;

TEST(ProgressForm, StartsWithItsDesignCaptionsAndEmptyBars) {
    TProgressForm form;
    EXPECT_EQ(form.Caption(), "Install Progress");
    EXPECT_EQ(form.IProgramName.Caption(), "Copying Program Name Support Files:");
    EXPECT_EQ(form.ICurrentFile.Caption(), "");
    EXPECT_EQ(form.Button1.Caption(), "&Cancel");
    EXPECT_EQ(form.ProgressBar1.Position(), 0);
    EXPECT_EQ(form.ProgressBar1.Step(), 3);
    EXPECT_EQ(form.TotalProgress.Position(), 0);
    EXPECT_EQ(form.RunAborted, 0);
    EXPECT_FALSE(form.Visible());
}

TEST(ProgressForm, CurrentFileLabelSizesItselfToItsText) {
    TProgressForm form;
    const int emptyWidth = form.ICurrentFile.GetBounds().width;
    form.ICurrentFile.SetCaption("C:\\Program Files\\Example Editor\\editor.exe");
    const int longWidth = form.ICurrentFile.GetBounds().width;
    EXPECT_GT(longWidth, emptyWidth);
    form.ICurrentFile.SetCaption("a.exe");
    EXPECT_LT(form.ICurrentFile.GetBounds().width, longWidth);
}

// Before a step that may take long (the next file), the run has the window paint what changed.
TEST(ProgressForm, ShowsItsChangesAtOnceWhenAsked) {
    TProgressForm form;
    ShowWindow(form.Handle(), SW_SHOWNA);
    Application::Instance().ProcessMessages();
    ProgressView& view = form;
    view.ShowCurrentItem("C:\\Program Files\\Example Editor\\editor.exe");
    ASSERT_TRUE(GetUpdateRect(form.ICurrentFile.Handle(), nullptr, FALSE)) << "just answered: left for later";
    view.ShowChanges();
    EXPECT_FALSE(GetUpdateRect(form.ICurrentFile.Handle(), nullptr, FALSE));
}

TEST(ProgressForm, MouseClosesOnlyAfterAnEarlyEndAndTheButtonAlwaysCloses) {
    TProgressForm form;
    ShowWindow(form.Handle(), SW_SHOWNA);
    SendMessageA(form.Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
    EXPECT_TRUE(form.Visible()) << "a run that has not ended early ignores the mouse";
    form.Button1.Click();
    EXPECT_FALSE(form.Visible());

    ShowWindow(form.Handle(), SW_SHOWNA);
    form.RunAborted = 1;
    SendMessageA(form.Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
    EXPECT_FALSE(form.Visible());
}

TEST(ProgressForm, APressOrCloseDuringTheRunDoesNothingAndAPressAfterItCloses) {
    InstallTestBed bed;
    const auto files = InstallTestBed::SampleFiles("paced", 1);
    ASSERT_TRUE(PutCompressedOnMedia(bed.media.Path(), files));
    bed.PutDiskId(1);
    bed.WriteScript("[Disks]\nn=1\n[ProgramFiles01]\n" + InstallTestBed::ProgramFilesLines(bed.install.Path(), files));
    // The pauses pace the run for real (the screen's face); the window answers what waits for it meanwhile.
    ::Setup.Face = nullptr;
    ShowWindow(bed.form.Handle(), SW_SHOWNA);
    const auto press = [&bed] {
        PostMessageA(bed.form.Handle(), WM_COMMAND, MAKEWPARAM(0, BN_CLICKED),
                     reinterpret_cast<LPARAM>(bed.form.Button1.Handle()));
    };
    press();
    PostMessageA(bed.form.Handle(), WM_CLOSE, 0, 0);
    bed.RunInstall();
    EXPECT_EQ(bed.form.Button1.Caption(), "OK");
    Application::Instance().ProcessMessages();
    EXPECT_TRUE(bed.form.Visible()) << "nothing pressed during the run is left to close the window";
    press();
    Application::Instance().ProcessMessages();
    EXPECT_FALSE(bed.form.Visible());
}
