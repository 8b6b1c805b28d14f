#include <gtest/gtest.h>

#include <windows.h>

#include "e2e/QuietRun.h"
#include "e2e/SetupMedia.h"
#include "e2e/UiDriver.h"

TEST(OneSetupAtATime, ASecondSetupWhileOneWaitsAtItsWindowIsTurnedAway) {
    const SetupMedia media("[Package]\nname=First Come\n[Licence]\nlicence=none\n[Disks]\nn=1\n[ProgramFiles01]\n"
                           "file1=%%INSTALLPATH%%\\first.txt\n",
                           "", {{{"first.txt", "a file of the first package"}}});
    ASSERT_EQ(media.Error(), "");
    ProgramUnderTest first(SetupExeIn(media.First()), "", media.First());
    ASSERT_NE(ui::WaitForWindow(first.ProcessId(), "TMainForm"), nullptr);

    const SetupLogTail told;
    EXPECT_EQ(RunQuietly("/S", media.First()), 1618u);
    EXPECT_NE(told.Text().find("Another setup is running. Wait for it to finish, then try again."), std::string::npos)
        << told.Text();

    ProgramUnderTest second(SetupExeIn(media.First()), "", media.First());
    const ui::Box box = ui::WaitForMessageBox(second.ProcessId());
    EXPECT_EQ(box.text, "Another setup is running. Wait for it to finish, then try again.");
    ui::Answer(box, IDOK);
    EXPECT_TRUE(second.WaitForExit(20000));
}
