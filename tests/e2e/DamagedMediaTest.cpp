#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "e2e/SetupMedia.h"
#include "e2e/UiDriver.h"
#include "support/TestFiles.h"

// A compressed file cut inside its header fails the install like any damaged file, rather than
// being installed as the few bytes that arrived.
TEST(DamagedMedia, AFileCutInsideItsCompressedHeaderIsAnErrorExpandingIt) {
    const SetupMedia media("[Package]\nname=Cut Package\n[Licence]\nlicence=none\n[Disks]\nn=1\n[ProgramFiles01]\n"
                           "file1=%%INSTALLPATH%%\\cut.txt\n",
                           "", {{{"cut.txt", "a file whose compressed form arrives cut"}}});
    ASSERT_EQ(media.Error(), "");
    // The signature and the method, and nothing of the rest of the header.
    WriteTextFile(media.First() + "\\cut.tx_", std::string("SZDD\x88\xF0\x27\x33" "A", 9));
    char told[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, told);
    lstrcatA(told, "setup.log");
    const size_t toldBefore = ReadTextFile(told).size();
    TempFolder target;

    ProgramUnderTest setup(SetupExeIn(media.First()), "/S /D=" + target.Path(), media.First());
    ASSERT_TRUE(setup.WaitForExit(60000));
    EXPECT_EQ(setup.ExitCode(), 1603u);
    EXPECT_NE(ReadTextFile(told).find("Fatal Error: Error expanding cut.txt", toldBefore), std::string::npos);
    EXPECT_FALSE(FileExists(target / "cut.txt"));

    ProgramUnderTest uninstall(SetupExeIn(target.Path()), "/S " + (target / "uninstal.ini"), target.Path());
    EXPECT_TRUE(uninstall.WaitForExit(60000));
}
