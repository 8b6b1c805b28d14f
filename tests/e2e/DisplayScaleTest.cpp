#include <gtest/gtest.h>

#include <windows.h>

#include <cstdlib>
#include <utility>

#include "e2e/StartedSetup.h"
#include "e2e/UiDriver.h"
#include "support/SystemDpiSetting.h"

// The windows of the shipped program at the system DPI: as laid out at 96, every position, size
// and font height scaled at 144.

namespace {

// Width and height.
using Size = std::pair<LONG, LONG>;

Size ClientSize(HWND window) {
    RECT area{};
    GetClientRect(window, &area);
    return {area.right, area.bottom};
}

Size WindowSize(HWND window) {
    RECT frame{};
    GetWindowRect(window, &frame);
    return {frame.right - frame.left, frame.bottom - frame.top};
}

struct Measured {
    Size mainClient, continueButton, chooserClient;
    LONG folderLabelHeight = 0;  // the chooser's last label, which fits its text in the window's font
};

// Starts setup.exe at the system DPI, measures the main window and the folder chooser, and ends
// the run from the destination dialog.
Measured MeasureAt(DWORD dpi) {
    const SystemDpiSetting setting(dpi);
    const StartedSetup setup;
    Measured measured;
    HWND main = setup.Main();
    measured.mainClient = ClientSize(main);
    measured.continueButton = WindowSize(ui::FindChild(main, "Button", "&Continue"));
    const DWORD process = setup.Program().ProcessId();
    ui::Press(main, "&Continue");
    HWND destination = ui::WaitForWindow(process, "TInstallForm");
    ui::Press(destination, "Change &Folder");
    HWND chooser = ui::WaitForWindow(process, "TChangeForm");
    measured.chooserClient = ClientSize(chooser);
    for (HWND child : ui::Children(chooser))
        if (ui::ClassOf(child) == "Static") measured.folderLabelHeight = WindowSize(child).second;
    ui::Press(chooser, "&Cancel");
    ui::WaitUntilGone(chooser);
    ui::Press(destination, "E&xit");
    ui::Answer(ui::WaitForMessageBox(process), IDYES);
    return measured;
}

}  // namespace

TEST(DisplayScale, WindowsKeepTheirLayoutAt96DpiAndScaleWithTheSystemDpi) {
    const struct {
        DWORD dpi;
        Size mainClient, continueButton, chooserClient;
    } expected[] = {{96, {429, 279}, {75, 25}, {360, 234}}, {144, {644, 419}, {113, 38}, {540, 351}}};
    LONG folderLabelHeight[2] = {};
    for (int i = 0; i < 2; ++i) {
        SCOPED_TRACE(expected[i].dpi);
        const Measured measured = MeasureAt(expected[i].dpi);
        EXPECT_EQ(measured.mainClient, expected[i].mainClient);
        EXPECT_EQ(measured.continueButton, expected[i].continueButton);
        EXPECT_EQ(measured.chooserClient, expected[i].chooserClient);
        folderLabelHeight[i] = measured.folderLabelHeight;
    }
    EXPECT_GT(folderLabelHeight[0], 0);
    EXPECT_GE(folderLabelHeight[1] * 2, folderLabelHeight[0] * 3 - 2) << "the font grows with the DPI";
}

namespace {

// The screen less the task bar, as the platform has it for every program of the session.
RECT WorkArea() {
    RECT work{};
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
    return work;
}

bool LiesWithin(HWND window, const RECT& area) {
    RECT frame{};
    GetWindowRect(window, &frame);
    return frame.left >= area.left && frame.top >= area.top && frame.right <= area.right &&
           frame.bottom <= area.bottom;
}

}  // namespace

// At 288 DPI the main window, scaled, would be larger than this screen (1287 by 837 and its
// frame) and far to the right: it is scaled down and moved until it fits, buttons and all; the
// dialog after it too.
TEST(DisplayScale, AWindowTooLargeForTheScreenIsScaledDownToLieWithinIt) {
    const SystemDpiSetting setting(288);
    const StartedSetup setup;
    HWND main = setup.Main();
    ASSERT_NE(main, nullptr);
    const RECT work = WorkArea();
    EXPECT_TRUE(LiesWithin(main, work));
    const Size client = ClientSize(main);
    EXPECT_LT(client.second, work.bottom - work.top);
    EXPECT_LE(std::abs(client.first * 279 - client.second * 429), 429) << "scaled down as a whole";
    HWND button = ui::FindChild(main, "Button", "&Continue");
    EXPECT_TRUE(LiesWithin(button, work));
    EXPECT_LT(WindowSize(button).first, 75 * 3) << "smaller than at the DPI's scale";
    ui::Press(main, "&Continue");
    HWND destination = ui::WaitForWindow(setup.Program().ProcessId(), "TInstallForm");
    ASSERT_NE(destination, nullptr);
    EXPECT_TRUE(LiesWithin(destination, work));
    ui::Press(destination, "E&xit");
    ui::Answer(ui::WaitForMessageBox(setup.Program().ProcessId()), IDYES);
}
