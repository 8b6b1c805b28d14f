#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "e2e/SetupMedia.h"
#include "e2e/UiDriver.h"
#include "support/TestFiles.h"

// A value of the script or the log that is one very long word is quoted at a readable length,
// in a box that fits the screen, whichever file it comes from.
TEST(ReadableMessages, AVeryLongWordIsQuotedAtAReadableLength) {
    const std::string name(100000, 'N');
    TempFolder media, installed;
    WriteTextFile(media / "install.ini", "[Package]\nname=" + name + "\n");
    WriteTextFile(installed / "uninstal.ini", "[Package]\nname=" + name + "\n");
    ASSERT_TRUE(CopyFileA(SetupExePath().c_str(), (media / "setup.exe").c_str(), FALSE));
    for (const std::string& arguments : {std::string(), installed / "uninstal.ini"}) {
        ProgramUnderTest setup(SetupExeIn(media.Path()), arguments, media.Path());
        const ui::Box box = ui::WaitForMessageBox(setup.ProcessId());
        ASSERT_NE(box.window, nullptr) << arguments;
        EXPECT_EQ(box.caption, "Fatal Error");
        EXPECT_EQ(box.text, "Package name too long (more than 57 characters): " + name.substr(0, 100) + "...");
        RECT area{};
        GetWindowRect(box.window, &area);
        EXPECT_LE(area.right - area.left, GetSystemMetrics(SM_CXSCREEN));
        ui::Answer(box, IDOK);
        EXPECT_TRUE(setup.WaitForExit(20000));
    }
}
