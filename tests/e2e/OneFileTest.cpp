#include <gtest/gtest.h>

#include <windows.h>

#include <map>
#include <string>

#include "e2e/QuietRun.h"
#include "e2e/SetupMedia.h"
#include "e2e/UiDriver.h"
#include "shared/CompressionEdgeCases.h"
#include "support/TestFiles.h"
#include "support/UnixTools.h"

namespace {

constexpr DWORD Failed = 1603;
const std::string DamagedLine = "Fatal Error: The setup file is damaged. Download it again.";

std::string WindowsFolder() {
    char windows[MAX_PATH] = {};
    GetWindowsDirectoryA(windows, MAX_PATH);
    return windows;
}

// Every file below `folder` by its path there, and what the registry holds of the sample.
std::map<std::string, std::string> Installed(const std::string& folder, const std::string& prefix = "") {
    std::map<std::string, std::string> found;
    WIN32_FIND_DATAA data;
    HANDLE find = FindFirstFileA((folder + "\\*").c_str(), &data);
    if (find == INVALID_HANDLE_VALUE) return found;
    do {
        const std::string name = data.cFileName;
        if (name == "." || name == "..") continue;
        if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
            found.merge(Installed(folder + "\\" + name, prefix + name + "\\"));
        else
            found[prefix + name] = ReadTextFile(folder + "\\" + name);
    } while (FindNextFileA(find, &data));
    FindClose(find);
    return found;
}

std::string SampleKeys() {
    return RunUnixScript("wine reg query 'HKLM\\Software\\Example Notes' /s; wine reg query 'HKCU\\Software\\Example Notes' /s\n")
        .output;
}

std::string Signing(const std::string& arguments) {
    return "osslsigncode " + arguments + " >/dev/null 2>&1\n";
}

// Installs the sample from `oneFile` through its windows into `folder`: no disk is asked for.
void InstallWithWindows(const std::string& oneFile, const std::string& folder, const std::string& startIn) {
    ProgramUnderTest setup(oneFile, "", startIn);
    HWND main = ui::WaitForWindow(setup.ProcessId(), "TMainForm");
    ASSERT_NE(main, nullptr);
    EXPECT_TRUE(ui::WaitUntil([&] { return ui::TextOf(main) == "Setup for Example Notes"; }));
    ASSERT_TRUE(ui::Press(main, "&Continue"));
    HWND licence = ui::WaitForWindow(setup.ProcessId(), "TLicenceForm");
    ASSERT_NE(licence, nullptr);
    EXPECT_EQ(ui::TextOf(ui::FindChild(licence, "Edit")).substr(0, 33), "EXAMPLE NOTES - LICENCE AGREEMENT");
    ASSERT_TRUE(ui::Press(licence, "I &Agree"));
    HWND destination = ui::WaitForWindow(setup.ProcessId(), "TInstallForm");
    ASSERT_NE(destination, nullptr);
    ui::SetText(ui::FindChild(destination, "Edit"), folder);
    ASSERT_TRUE(ui::Press(destination, "&Install"));
    ui::Box box = ui::WaitForMessageBox(setup.ProcessId());
    EXPECT_EQ(box.caption, "Folder Does Not Exist");
    ui::Answer(box, IDYES);
    HWND progress = ui::WaitForWindow(setup.ProcessId(), "TProgressForm");
    ASSERT_NE(progress, nullptr);
    EXPECT_TRUE(ui::WaitUntil([&] { return ui::FindChild(progress, "Button", "OK") != nullptr; }, 60000));
    ui::Press(progress, "OK");
    EXPECT_TRUE(setup.WaitForExit(20000));
}

}  // namespace

// From one file as from folder media with every disk present, through the windows and
// unattended: the same files, keys and log, the uninstaller copy is the program the build was
// given, and the uninstall removes it all.
TEST(OneFile, InstallsAndUninstallsTheTwoDiskSampleAsFolderMediaDo) {
    const SetupMedia media(std::string(SETUP_SOURCE_UNIX_DIR) + "/examples/notes");
    ASSERT_EQ(media.Error(), "");
    media.InsertDisk(2);
    const std::string oneFile = media.MakeOneFile("notes-setup.exe");
    ASSERT_NE(oneFile, "");
    TempFolder target, elsewhere;
    const std::string folder = target / "Example Notes";

    ASSERT_EQ(RunQuietly("/S /D=" + folder, media.First()), 0u);
    const auto fromMedia = Installed(folder);
    const std::string keysFromMedia = SampleKeys();
    ASSERT_EQ(RunQuietly("/S " + folder + "\\uninstal.ini", media.First()), 0u);
    ASSERT_FALSE(FolderExists(folder));

    InstallWithWindows(oneFile, folder, elsewhere.Path());
    EXPECT_EQ(Installed(folder), fromMedia);
    EXPECT_EQ(SampleKeys(), keysFromMedia);
    EXPECT_EQ(RunQuietly("/S " + folder + "\\uninstal.ini", elsewhere.Path(), oneFile), 0u);
    EXPECT_FALSE(FolderExists(folder));

    const SetupLogTail tail;
    ASSERT_EQ(RunQuietly("/S /D=" + folder, elsewhere.Path(), oneFile), 0u) << tail.Text();
    EXPECT_EQ(Installed(folder), fromMedia);
    EXPECT_EQ(fromMedia.count("uninstal.ini"), 1u);
    EXPECT_EQ(SampleKeys(), keysFromMedia);
    EXPECT_EQ(ReadTextFile(WindowsFolder() + "\\qupsetup.exe"), ReadTextFile(SetupExePath()));
    EXPECT_EQ(RunQuietly("/S " + folder + "\\uninstal.ini", elsewhere.Path(), oneFile), 0u);
    EXPECT_FALSE(FolderExists(folder));
    EXPECT_EQ(SampleKeys().find("InstallDir"), std::string::npos);
}

// A damaged file, or one another program is still writing, is refused before anything is made.
// A program built as a one-file setup never reads folder media instead, not even a package
// planted beside it when its payload's mark is damaged or its payload cut or missing.
TEST(OneFile, DamagedOrBusyFileIsRefusedAndNothingIsMade) {
    const std::string script = "[Licence]\nlicence=none\n[Disks]\nn=1\n[ProgramFiles01]\nfile1=%%INSTALLPATH%%\\whole.txt\n";
    const SetupMedia media("[Package]\nname=Whole File\n" + script, "", {{{"whole.txt", RandomBytes(40000, 11)}}});
    ASSERT_EQ(media.Error(), "");
    const SetupMedia planted("[Package]\nname=Planted\n" + script, "", {{{"whole.txt", "a planted file"}}});
    ASSERT_EQ(planted.Error(), "");
    const std::string good = ReadTextFile(media.MakeOneFile("good.exe"));
    // Another program that runs the same: one letter of its DOS message differs.
    TempFolder run, target;
    for (const char* name : {"install.ini", "disk01.id", "whole.tx_"})
        ASSERT_TRUE(CopyFileA((planted.First() + "\\" + name).c_str(), (run / name).c_str(), FALSE));
    std::string program = ReadTextFile(SetupExePath());
    const size_t image = program.size();
    program[program.find("DOS mode")] = 'd';
    WriteTextFile(run / "another.exe", program);
    const std::string other = ReadTextFile(media.MakeOneFile("other.exe", UnixPathOf(run / "another.exe")));
    ASSERT_GT(good.size(), image);
    ASSERT_GT(other.size(), image);
    std::string changed = good, mark = good, indexLength = good;
    changed[image + (good.size() - image) / 2] ^= 0x20;
    mark[image + 3] ^= 0x20;
    // What the header says of the index: its length.
    indexLength[image + 16] ^= 0x04;
    const std::map<std::string, std::string> damaged = {
        {"changed byte in the middle", changed},
        {"cut tail", good.substr(0, good.size() - 1000)},
        {"cut header", good.substr(0, image + 30)},
        {"cut a few bytes past the image", good.substr(0, image + 5)},
        {"nothing after the image", good.substr(0, image)},
        {"damaged mark", mark},
        {"index length changed", indexLength},
        {"payload of another setup", good.substr(0, image) + other.substr(image)},
    };
    for (const auto& [name, content] : damaged) {
        SCOPED_TRACE(name);
        WriteTextFile(run / "setup.exe", content);
        const SetupLogTail tail;
        EXPECT_EQ(RunQuietly("/S /D=" + (target / "Whole"), run.Path(), run / "setup.exe"), Failed);
        EXPECT_NE(tail.Text().find(DamagedLine), std::string::npos) << tail.Text();
        EXPECT_FALSE(FolderExists(target / "Whole"));
    }

    // Another program takes the file for itself once setup has started, before setup looks at it
    // (the platform lets no one open a running program for writing).
    WriteTextFile(run / "setup.exe", good);
    std::string command = "\"" + (run / "setup.exe") + "\" /S /D=" + (target / "Whole");
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    ASSERT_TRUE(CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, CREATE_SUSPENDED, nullptr,
                               run.Path().c_str(), &startup, &process));
    const HANDLE holder =
        CreateFileA((run / "setup.exe").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    const SetupLogTail tail;
    ResumeThread(process.hThread);
    DWORD code = STILL_ACTIVE;
    if (WaitForSingleObject(process.hProcess, 60000) == WAIT_OBJECT_0) GetExitCodeProcess(process.hProcess, &code);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    ASSERT_NE(holder, INVALID_HANDLE_VALUE);
    CloseHandle(holder);
    EXPECT_EQ(code, Failed);
    EXPECT_NE(tail.Text().find("Fatal Error: The setup file is in use by another program."), std::string::npos)
        << tail.Text();
    EXPECT_FALSE(FolderExists(target / "Whole"));
}

// Signed before and after the build: the one-file setup verifies, installs, and leaves an
// uninstaller whose signature verifies; a byte changed after signing fails both checks.
TEST(OneFile, SignedRoundTripKeepsTheSignatureOfTheUninstaller) {
    TempFolder keys;
    const std::string key = ShellQuoted(UnixPathOf(keys / "key.pem")), cert = ShellQuoted(UnixPathOf(keys / "cert.pem"));
    const std::string signedSetup = UnixPathOf(keys / "setup.exe");
    ASSERT_EQ(RunUnixScript("openssl req -x509 -newkey rsa:2048 -nodes -days 2 -subj /CN=Test -keyout " + key +
                            " -out " + cert + " >/dev/null 2>&1\n" +
                            Signing("sign -certs " + cert + " -key " + key + " -in " + ShellQuoted(SetupExeUnixPath()) +
                                    " -out " + ShellQuoted(signedSetup)))
                  .exitCode,
              0);
    const SetupMedia media("[Package]\nname=Signed Package\n[Licence]\nlicence=none\n[Disks]\nn=1\n[ProgramFiles01]\n"
                           "file1=%%INSTALLPATH%%\\signed.txt\n",
                           "", {{{"signed.txt", "a file of a signed package"}}});
    ASSERT_EQ(media.Error(), "");
    const std::string built = media.MakeOneFile("built.exe", signedSetup);
    ASSERT_NE(built, "");
    const std::string oneFile = keys / "signed-setup.exe";
    const auto verifies = [&](const std::string& file) {
        return RunUnixScript(Signing("verify -CAfile " + cert + " -in " + ShellQuoted(UnixPathOf(file)))).exitCode == 0;
    };
    ASSERT_EQ(RunUnixScript(Signing("sign -certs " + cert + " -key " + key + " -in " + ShellQuoted(UnixPathOf(built)) +
                                    " -out " + ShellQuoted(UnixPathOf(oneFile))))
                  .exitCode,
              0);
    EXPECT_TRUE(verifies(oneFile));
    TempFolder target, run;
    ASSERT_EQ(RunQuietly("/S /D=" + (target / "Signed"), run.Path(), oneFile), 0u);
    EXPECT_TRUE(FileExists(target / "Signed\\signed.txt"));
    EXPECT_TRUE(verifies(WindowsFolder() + "\\qupsetup.exe"));
    EXPECT_EQ(RunQuietly("/S " + (target / "Signed\\uninstal.ini"), run.Path(), oneFile), 0u);

    std::string changed = ReadTextFile(oneFile);
    // A byte of the payload, which begins where the unsigned program's image ends.
    changed[ReadTextFile(SetupExePath()).size() + 300] ^= 1;
    WriteTextFile(oneFile, changed);
    EXPECT_FALSE(verifies(oneFile));
    const SetupLogTail tail;
    EXPECT_EQ(RunQuietly("/S /D=" + (target / "Signed"), run.Path(), oneFile), Failed);
    EXPECT_NE(tail.Text().find(DamagedLine), std::string::npos) << tail.Text();
    EXPECT_FALSE(FolderExists(target / "Signed"));
}
