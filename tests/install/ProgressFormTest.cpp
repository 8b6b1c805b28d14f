#include <gtest/gtest.h>

#include "install/InstallTestBed.h"

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

TEST(ProgressForm, ModalShowingRunsTheInstallAndAWaitingPressThenClosesIt) {
    InstallTestBed bed;
    bed.WriteScript("[Disks]\nn=0\n");
    // A press made during the run waits in the queue and is handled after it.
    PostMessageA(bed.form.Handle(), WM_COMMAND, MAKEWPARAM(0, BN_CLICKED),
                 reinterpret_cast<LPARAM>(bed.form.Button1.Handle()));
    EXPECT_EQ(bed.form.ShowModal(), IDCANCEL);
    ASSERT_EQ(bed.ui.Boxes().size(), 1u);
    EXPECT_EQ(bed.ui.Boxes()[0].text, "Invalid number of disks");
}
