#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "e2e/QuietRun.h"
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
    const SetupLogTail told;
    TempFolder target;

    ProgramUnderTest setup(SetupExeIn(media.First()), "/S /D=" + target.Path(), media.First());
    ASSERT_TRUE(setup.WaitForExit(60000));
    EXPECT_EQ(setup.ExitCode(), 1603u);
    EXPECT_NE(told.Text().find("Fatal Error: Error expanding cut.txt"), std::string::npos) << told.Text();
    EXPECT_FALSE(FileExists(target / "cut.txt"));

    ProgramUnderTest uninstall(SetupExeIn(target.Path()), "/S " + (target / "uninstal.ini"), target.Path());
    EXPECT_TRUE(uninstall.WaitForExit(60000));
}

// The format passes a file without its signature through, and an emptied file expands to
// nothing: the media's record of each file's size and digest is what tells them apart.
TEST(DamagedMedia, AChangedOrEmptiedCompressedFileIsAnErrorExpandingIt) {
    for (const bool emptied : {false, true}) {
        SCOPED_TRACE(emptied ? "emptied" : "first byte changed");
        const SetupMedia media("[Package]\nname=Spoilt Package\n[Licence]\nlicence=none\n[Disks]\nn=1\n[ProgramFiles01]\n"
                               "file1=%%INSTALLPATH%%\\spoilt.txt\n",
                               "", {{{"spoilt.txt", std::string(3000, 's')}}});
        ASSERT_EQ(media.Error(), "");
        std::string stored = ReadTextFile(media.First() + "\\spoilt.tx_");
        stored[0] ^= 1;
        WriteTextFile(media.First() + "\\spoilt.tx_", emptied ? "" : stored);
        TempFolder target;
        const SetupLogTail tail;
        EXPECT_EQ(RunQuietly("/S /D=" + target.Path(), media.First()), 1603u);
        EXPECT_NE(tail.Text().find("Fatal Error: Error expanding spoilt.txt"), std::string::npos) << tail.Text();
        EXPECT_FALSE(FileExists(target / "spoilt.txt"));
        RunQuietly("/S " + (target / "uninstal.ini"), target.Path());
    }
}
