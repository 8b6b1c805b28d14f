#include <gtest/gtest.h>

#include "fsutil/FileNames.h"
#include "install/InstallRun.h"
#include "install/InstallTestBed.h"
#include "install/TestRegistry.h"
#include "setupdata/ScriptNames.h"
#include "toolkit/Application.h"

using namespace installtests;

namespace {

std::vector<BarPositions> Steps(int barStart, int barStep, int totalStart, int totalStep, int count) {
    std::vector<BarPositions> positions;
    for (int i = 1; i <= count; ++i) positions.push_back({barStart + i * barStep, totalStart + i * totalStep});
    return positions;
}

}  // namespace

TEST(ProgressSteps, TwoDisksOfTenAndFourFilesShareSeventyPointsOfTheTotal) {
    InstallTestBed bed;
    const auto first = InstallTestBed::SampleFiles("one", 10);
    const auto second = InstallTestBed::SampleFiles("two", 4);
    std::vector<MediaFile> all = first;
    all.insert(all.end(), second.begin(), second.end());
    ASSERT_TRUE(PutCompressedOnMedia(bed.media.Path(), all));
    bed.PutDiskId(1);
    bed.PutDiskId(2);
    bed.WriteScript("[Disks]\nn=2\n[ProgramFiles01]\n" + InstallTestBed::ProgramFilesLines(bed.install.Path(), first) +
                    "[ProgramFiles02]\n" + InstallTestBed::ProgramFilesLines(bed.install.Path(), second));

    bed.RunInstall();

    std::vector<BarPositions> expected = Steps(0, 7, 0, 3, 10);
    expected.back().bar = 100;  // the last file of a disk before the last fills the bar
    const auto secondDisk = Steps(0, 17, 30, 8, 4);
    expected.insert(expected.end(), secondDisk.begin(), secondDisk.end());
    EXPECT_EQ(bed.barsAtFileEnd, expected);
    EXPECT_EQ(bed.Log(LogProgramFilesSection).size(), 14u);
    for (const auto& [name, content] : all) EXPECT_EQ(ReadTextFile(bed.install / name), content) << name;
}

TEST(ProgressSteps, EightyFilesOnOneDiskLeaveBothBarsStill) {
    InstallTestBed bed;
    const auto files = InstallTestBed::SampleFiles("f", 80);
    // Files stored uncompressed under their compressed names arrive as they are.
    for (const auto& [name, content] : files) WriteTextFile(bed.media / CompressedFileName(name), content);
    bed.PutDiskId(1);
    bed.WriteScript("[Disks]\nn=1\n[ProgramFiles01]\n" + InstallTestBed::ProgramFilesLines(bed.install.Path(), files));

    bed.RunInstall();

    EXPECT_EQ(bed.barsAtFileEnd, std::vector<BarPositions>(80, BarPositions{0, 0}));
    EXPECT_EQ(bed.Log(LogProgramFilesSection).size(), 80u);
    EXPECT_EQ(ReadTextFile(bed.install / "f80.dat"), files.back().second);
}

TEST(ProgressSteps, FourKeysWithOneExistingStepBothBarsThreeTimesBySeven) {
    InstallTestBed bed;
    TestRegistryKey keys("Steps");
    ASSERT_TRUE(MakeKey(HKEY_CURRENT_USER, keys.Path("B")));
    bed.WriteScript("[RegistryKeys]\nk1=" + keys.Text("A") + "\nk2=" + keys.Text("B") + "\nk3=" + keys.Text("C") +
                    "\nk4=" + keys.Text("D") + "\n");
    bed.form.ProgressBar1.SetPosition(40);
    bed.form.TotalProgress.SetPosition(50);

    EXPECT_TRUE(InstallRun(bed.form).WriteRegistryEntries().Ok());

    EXPECT_EQ(bed.form.ProgressBar1.Step(), 7);
    EXPECT_EQ(bed.form.TotalProgress.Step(), 7);
    EXPECT_EQ(bed.form.ProgressBar1.Position(), 61);
    EXPECT_EQ(bed.form.TotalProgress.Position(), 71);
    EXPECT_EQ(bed.form.ICurrentFile.Caption(), keys.Text("D"));
    EXPECT_EQ(bed.Log(RegistryKeysSection),
              (LogEntries{{"key1", keys.Text("A")}, {"key2", keys.Text("C")}, {"key3", keys.Text("D")}}));
    EXPECT_TRUE(KeyExists(HKEY_CURRENT_USER, keys.Path("D")));
}

TEST(ProgressSteps, LongPathsAreShownCutButLoggedWhole) {
    InstallTestBed bed;
    const std::string folder = bed.install / "a folder name long enough to be cut in the window";
    CreateDirectoryA(folder.c_str(), nullptr);
    const auto files = InstallTestBed::SampleFiles("long", 1);
    ASSERT_TRUE(PutCompressedOnMedia(bed.media.Path(), files));
    bed.PutDiskId(1);
    bed.WriteScript("[Disks]\nn=1\n[ProgramFiles01]\n" + InstallTestBed::ProgramFilesLines(folder, files));
    std::string shown;
    bed.ui.onBox = nullptr;
    auto record = bed.ui.onPause;
    bed.ui.onPause = [&](DWORD milliseconds) {
        if (milliseconds == 500) shown = bed.form.ICurrentFile.Caption();
        record(milliseconds);
    };

    bed.RunInstall();

    const std::string dest = folder + "\\long1.dat";
    EXPECT_EQ(shown, dest.substr(0, 51) + "...");
    EXPECT_EQ(bed.Log(LogProgramFilesSection), (LogEntries{{"file1", dest}}));
}
