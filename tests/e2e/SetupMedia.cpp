#include "e2e/SetupMedia.h"

#include <windows.h>

#include <cstdio>
#include <cstdlib>

#include "e2e/UiDriver.h"
#include "support/UnixTools.h"

SetupMedia::SetupMedia(const std::string& script, const std::string& licence, const std::vector<Files>& disks,
                       MediaMaker maker, const std::string& options) {
    WriteTextFile(package_ / "install.ini", script);
    if (!licence.empty()) WriteTextFile(package_ / "licence.txt", licence);
    for (size_t i = 0; i < disks.size(); ++i) {
        char name[16];
        std::snprintf(name, sizeof name, "disk%02u", static_cast<unsigned>(i + 1));
        CreateDirectoryA((package_ / name).c_str(), nullptr);
        for (const auto& [file, content] : disks[i]) WriteTextFile(package_ / name + "\\" + file, content);
    }
    packageUnix_ = UnixPathOf(package_.Path());
    if (maker == MediaMaker::WindowsTool)
        MakeWithWindowsTool(options);
    else
        Make(packageUnix_);
}

SetupMedia::SetupMedia(const std::string& packageUnixFolder) : packageUnix_(packageUnixFolder) { Make(packageUnixFolder); }

// The test command hands over the shipped program in SETUP_EXE; a build of the test
// configuration stands in for it when the suite is run otherwise.
std::string SetupExeUnixPath() {
    const char* shipped = std::getenv("SETUP_EXE");
    return shipped && *shipped ? shipped : SETUP_EXE_UNIX_PATH;
}

void SetupMedia::Make(const std::string& packageUnixFolder) {
    const UnixCommandResult result =
        RunUnixScript(ShellQuoted(std::string(SETUP_SOURCE_UNIX_DIR) + "/scripts/make-media.sh") + " " +
                      ShellQuoted(packageUnixFolder) + " " + ShellQuoted(SetupExeUnixPath()) + " " +
                      ShellQuoted(UnixPathOf(out_ / "media")) + "\n");
    if (result.exitCode != 0) error_ = "make-media.sh failed: " + result.output;
}

void SetupMedia::MakeWithWindowsTool(const std::string& options) {
    const std::string arguments = "build \"" + package_.Path() + "\" --setup \"" + SetupExePath() + "\" --out \"" +
                                  (out_ / "media") + "\" " + options;
    ProgramUnderTest tool(SetupMediaExePath(), arguments, out_.Path());
    if (!tool.WaitForExit(60000))
        error_ = "setup-media.exe did not end";
    else if (tool.ExitCode() != 0)
        error_ = "setup-media.exe failed with exit code " + std::to_string(tool.ExitCode());
}

std::string SetupMedia::MakeOneFile(const std::string& name, const std::string& setupUnixPath) const {
    const std::string folder = out_ / "one-file";
    CreateDirectoryA(folder.c_str(), nullptr);
    const std::string tool = "\"${SETUP_MEDIA:-" + std::string(SETUP_SOURCE_UNIX_DIR) + "/build-tools/setup-media}\"";
    const UnixCommandResult result = RunUnixScript(
        tool + " build " + ShellQuoted(packageUnix_) + " --setup " +
        ShellQuoted(setupUnixPath.empty() ? SetupExeUnixPath() : setupUnixPath) + " --force --one-file " +
        ShellQuoted(UnixPathOf(folder + "\\" + name)) + "\n");
    return result.exitCode == 0 ? folder + "\\" + name : std::string();
}

std::string SetupMedia::Disk(int number) const {
    char name[16];
    std::snprintf(name, sizeof name, "disk%02d", number);
    return out_ / "media\\" + name;
}

void SetupMedia::InsertDisk(int number) const {
    WIN32_FIND_DATAA data;
    const std::string from = Disk(number);
    HANDLE find = FindFirstFileA((from + "\\*").c_str(), &data);
    if (find == INVALID_HANDLE_VALUE) return;
    do {
        if (!(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
            CopyFileA((from + "\\" + data.cFileName).c_str(), (First() + "\\" + data.cFileName).c_str(), FALSE);
    } while (FindNextFileA(find, &data));
    FindClose(find);
}

std::string SetupExePath() { return WinePath(SetupExeUnixPath()); }

std::string SetupExeIn(const std::string& folder) {
    const std::string onMedia = folder + "\\setup.exe";
    return FileExists(onMedia) ? onMedia : SetupExePath();
}

std::string SetupMediaExePath() { return WinePath(SETUP_MEDIA_EXE_UNIX_PATH); }

std::string ScreenshotFolder(const std::string& fallback) {
    const char* folder = std::getenv("SETUP_SCREENSHOT_DIR");
    return folder && *folder ? WinePath(folder) : fallback;
}

void MakeUnelevated(const SetupMedia& media) {
    const std::string setup = media.First() + "\\setup.exe";
    CopyFileA(setup.c_str(), (media.First() + "\\elevated.exe").c_str(), FALSE);
    CopyFileA(WinePath(SETUP_UNELEVATED_UNIX_PATH).c_str(), setup.c_str(), FALSE);
}
