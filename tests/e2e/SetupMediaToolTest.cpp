#include <gtest/gtest.h>

#include <windows.h>

#include "e2e/SetupMedia.h"
#include "e2e/UiDriver.h"
#include "fsutil/FileTransfer.h"
#include "media/OneFile.h"
#include "shared/CompressionEdgeCases.h"
#include "support/CompressedMedia.h"
#include "support/SetupStateScope.h"
#include "support/TestFiles.h"
#include "support/UnixTools.h"

namespace {

const std::string OneDiskScript = "[Package]\nname=Sizes\n[Licence]\nlicence=none\n[Disks]\nn=1\n[ProgramFiles01]\n";

DWORD FileSize(const std::string& path) {
    WIN32_FILE_ATTRIBUTE_DATA data{};
    return GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data) ? data.nFileSizeLow : 0;
}

}  // namespace

// The Windows build of setup-media makes the media here, and the expansion library restores
// every size, the smallest included, byte for byte through the program's own expansion.
TEST(SetupMediaOnWindows, EverySizeExpandsThroughTheExpansionLibrary) {
    SetupMedia::Files files = {{"readme", SampleContent(3000, 5)}, {"page.html", SampleContent(3000, 6)}};
    for (const auto& [name, content] : CompressionEdgeCases()) files.emplace_back(name, content);
    std::string script = OneDiskScript;
    for (size_t i = 0; i < files.size(); ++i)
        script += "file" + std::to_string(i) + "=%%INSTALLPATH%%\\" + files[i].first + "\n";
    const SetupMedia media(script, "", {files}, MediaMaker::WindowsTool);
    ASSERT_EQ(media.Error(), "");

    TempFolder temp;
    const SetupStateScope state;
    const CurrentFolderGuard restore;
    ::Setup.TempDir = temp.Path() + "\\";
    SetCurrentDirectoryA(media.First().c_str());
    for (const auto& [name, content] : files) {
        SCOPED_TRACE(name);
        EXPECT_TRUE(ExpandToTemp(name).Ok());
        EXPECT_TRUE(ReadTextFile(temp / name) == content);
    }
}

// Media made by setup-media.exe, spread over two disks, installed by setup.exe.
TEST(SetupMediaOnWindows, SpreadMediaInstallWithSetup) {
    const std::string tag = "SetupMediaTool" + std::to_string(GetCurrentProcessId());
    const SetupMedia::Files files = {{"first.dat", RandomBytes(3000, 7)}, {"second.dat", RandomBytes(3000, 8)}};
    const std::string install = "install=%%PROGPATH%%\\" + tag + "\n";
    // English only: disk 1 holds no language file.
    const std::string script = "[Package]\nname=Spread Package\nlanguages=en\n[Licence]\nlicence=none\n"
                               "[InstallFolder]\n" + install +
                               "[Disks]\nn=1\n[ProgramFiles01]\nfile1=%%INSTALLPATH%%\\first.dat\n"
                               "file2=%%INSTALLPATH%%\\second.dat\n";
    // Disk 1 has room for setup.exe, the script with the files' digests, and one file.
    const DWORD diskSize = FileSize(SetupExePath()) + 4600;
    const SetupMedia media(script, "", {files}, MediaMaker::WindowsTool,
                           "--disk-size " + std::to_string(diskSize) + " --spread");
    ASSERT_EQ(media.Error(), "");
    ASSERT_TRUE(FileExists(media.Disk(2) + "\\second.da_"));
    ProgramUnderTest check(SetupMediaExePath(), "check install.ini --media ..", media.First());
    ASSERT_TRUE(check.WaitForExit(20000));
    EXPECT_EQ(check.ExitCode(), 0u);

    ProgramUnderTest setup(SetupExeIn(media.First()), "", media.First());
    HWND main = ui::WaitForWindow(setup.ProcessId(), "TMainForm");
    ASSERT_NE(main, nullptr);
    ASSERT_TRUE(ui::Press(main, "&Continue"));
    HWND destination = ui::WaitForWindow(setup.ProcessId(), "TInstallForm");
    ASSERT_NE(destination, nullptr);
    const std::string installFolder = ui::TextOf(ui::FindChild(destination, "Edit"));
    ASSERT_TRUE(ui::Press(destination, "&Install"));
    ui::Box box = ui::WaitForMessageBox(setup.ProcessId());
    EXPECT_EQ(box.caption, "Folder Does Not Exist");
    ui::Answer(box, IDYES);
    HWND progress = ui::WaitForWindow(setup.ProcessId(), "TProgressForm");
    ASSERT_NE(progress, nullptr);
    box = ui::WaitForMessageBox(setup.ProcessId());
    EXPECT_EQ(box.caption, "Insert Next Disk");
    media.InsertDisk(2);
    ui::Answer(box, IDOK);
    EXPECT_TRUE(ui::WaitUntil([&] { return ui::FindChild(progress, "Button", "OK") != nullptr; }, 60000));
    ui::Press(progress, "OK");
    ASSERT_TRUE(setup.WaitForExit(20000));

    for (const auto& [name, content] : files) EXPECT_TRUE(ReadTextFile(installFolder + "\\" + name) == content) << name;
    RemoveTree(installFolder);
    char windows[MAX_PATH] = {};
    GetWindowsDirectoryA(windows, MAX_PATH);
    DeleteFileA((std::string(windows) + "\\qupsetup.exe").c_str());
}

// The Windows build judges folders by what their names reach: an --out that is the package's
// parent in other letters is refused and --force deletes nothing; and a one-file setup with a
// part whose name climbs out of --out, is drive-relative or names a stream unpacks to nothing.
TEST(SetupMediaOnWindows, OutputFolderAndUnpackedPartsStayWhereTheyBelong) {
    TempFolder root;
    const std::string package = root / "W\\Pkg";
    CreateDirectoryA((root / "W").c_str(), nullptr);
    CreateDirectoryA(package.c_str(), nullptr);
    WriteTextFile(package + "\\install.ini", OneDiskScript + "file1=%%INSTALLPATH%%\\kept.txt\n");
    WriteTextFile(package + "\\kept.txt", "the package's own file");
    std::string lowerRoot = root.Path();
    CharLowerA(lowerRoot.data());
    const auto run = [&](const std::string& arguments) {
        ProgramUnderTest tool(SetupMediaExePath(), arguments, root.Path());
        return tool.WaitForExit(60000) ? tool.ExitCode() : STILL_ACTIVE;
    };
    EXPECT_EQ(run("build \"" + package + "\" --setup \"" + SetupExePath() + "\" --out \"" + lowerRoot + "\\w\" --force"),
              2u);
    EXPECT_EQ(ReadTextFile(package + "\\kept.txt"), "the package's own file");

    for (const char* name : {"..\\..\\x", "C:x", "kept.txt:x"}) {
        SCOPED_TRACE(name);
        RemoveTree(root / "out");
        WriteTextFile(root / "bad.exe", MakeOneFile(ReadTextFile(SetupExePath()),
                                                    {{"install.ini", PartKind::Plain, OneDiskScript, {}},
                                                     {name, PartKind::Plain, "climbing", {}}}));
        EXPECT_EQ(run("unpack bad.exe --out \"" + (root / "out\\deeper") + "\""), 2u);
        EXPECT_FALSE(FolderExists(root / "out"));
        EXPECT_FALSE(FileExists(root / "x"));
    }
}

// The Windows setup-media and the Linux one make the same one-file setup of a package, byte for
// byte: what is downloaded does not depend on where it was built.
TEST(SetupMediaOnWindows, OneFileSetupIsTheSameAsTheLinuxBuild) {
    TempFolder package, out;
    const std::string program = ReadTextFile(SetupExePath());
    WriteTextFile(package / "install.ini", OneDiskScript + "file1=%%INSTALLPATH%%\\app.exe\nfile2=%%INSTALLPATH%%\\data.bin\n"
                                                           "file3=%%INSTALLPATH%%\\readme.txt\n");
    WriteTextFile(package / "app.exe", program);
    WriteTextFile(package / "data.bin", RandomBytes(100000, 5) + RepeatingText(300000) + program.substr(4096, 60000));
    WriteTextFile(package / "readme.txt", RepeatingText(200000));
    const SetupMedia linux(UnixPathOf(package.Path()));
    ASSERT_EQ(linux.Error(), "");
    const std::string fromLinux = linux.MakeOneFile("linux.exe");
    ASSERT_NE(fromLinux, "");
    ProgramUnderTest tool(SetupMediaExePath(),
                          "build \"" + package.Path() + "\" --setup \"" + SetupExePath() + "\" --one-file windows.exe",
                          out.Path());
    ASSERT_TRUE(tool.WaitForExit(120000));
    ASSERT_EQ(tool.ExitCode(), 0u);
    const std::string fromWindows = ReadTextFile(out / "windows.exe");
    EXPECT_GT(fromWindows.size(), program.size() + 1000);
    EXPECT_TRUE(fromWindows == ReadTextFile(fromLinux));
}
