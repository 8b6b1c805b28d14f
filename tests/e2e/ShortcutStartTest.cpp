#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "e2e/QuietRun.h"
#include "e2e/SetupMedia.h"
#include "e2e/UiDriver.h"
#include "support/TestFiles.h"

namespace {

std::wstring Wide(const std::string& utf8) {
    std::wstring wide(utf8.size() + 1, L'\0');
    wide.resize(MultiByteToWideChar(CP_UTF8, 0, utf8.c_str(), -1, wide.data(), static_cast<int>(wide.size())) - 1);
    return wide;
}

std::string CommonStartMenu() {
    char path[MAX_PATH] = {};
    DWORD size = sizeof path;
    RegGetValueA(HKEY_LOCAL_MACHINE, "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders",
                 "Common Start Menu", RRF_RT_REG_SZ, nullptr, path, &size);
    return path;
}

}  // namespace

// A shortcut whose target and name hold characters beyond ASCII starts its program through the
// shell, in the install folder, as a person's click on it would.
TEST(ShortcutStart, AShortcutToATargetBeyondAsciiStartsItsProgramInTheInstallFolder) {
    const std::string package = "T\xC3\xA4lly Z\xC3\xA4hler " + std::to_string(GetCurrentProcessId());
    const std::string program = "t\xC3\xA4lly.exe";
    const SetupMedia media("[Package]\nname=" + package + "\n[Licence]\nlicence=none\n[Disks]\nn=1\n[ProgramFiles01]\n"
                           "file1=%%INSTALLPATH%%\\" + program + "\n[StartButton]\nr1=[ProgramFiles01]file1\nn1=" + package +
                           "\n",
                           "", {{{program, ReadTextFile(WinePath(STARTED_MARKER_UNIX_PATH))}}});
    ASSERT_EQ(media.Error(), "");
    TempFolder target;
    const std::string folder = target / package;
    ASSERT_EQ(RunQuietly("/S /D=" + folder, media.First()), 0u);
    const std::string link = CommonStartMenu() + "\\" + package + ".lnk";
    ASSERT_TRUE(FileExists(link));

    // Through the platform's own "start", a program of the system's code page, not of this test's.
    std::wstring command = L"start.exe \"" + Wide(link) + L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    SECURITY_ATTRIBUTES inh{sizeof inh, nullptr, TRUE};
    HANDLE out = CreateFileA("C:\\startout.txt", GENERIC_WRITE, FILE_SHARE_READ, &inh, CREATE_ALWAYS, 0, nullptr);
    startup.dwFlags = STARTF_USESTDHANDLES; startup.hStdOutput = out; startup.hStdError = out;
    PROCESS_INFORMATION process{};
    ASSERT_TRUE(CreateProcessW(nullptr, command.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup, &process));
    WaitForSingleObject(process.hProcess, 20000);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    EXPECT_TRUE(ui::WaitUntil([&] { return FileExists(folder + "\\started.txt"); }, 20000));
    const std::string mark = ReadTextFile(folder + "\\started.txt");
    EXPECT_EQ(std::wstring(reinterpret_cast<const wchar_t*>(mark.data()), mark.size() / sizeof(wchar_t)), Wide(folder))
        << "started in the install folder";
    DeleteFileA((folder + "\\started.txt").c_str());
    EXPECT_EQ(RunQuietly("/S " + folder + "\\uninstal.ini", media.First()), 0u);
    EXPECT_FALSE(FileExists(link));
}
