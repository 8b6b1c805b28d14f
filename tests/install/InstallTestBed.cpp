#include "install/InstallTestBed.h"

#include <gtest/gtest.h>

#include "toolkit/Application.h"

namespace installtests {

namespace {

constexpr DWORD PauseAfterFile = 500;

}  // namespace

InstallTestBed::InstallTestBed()
    : savedScript_(std::move(::Setup.InstallScript)), savedRegistry_(std::move(::Setup.Registry)) {
    state_.OpenUninstallLog(temp / "uninstal.ini");
    ::Setup.InstallScript = std::make_unique<ProfileFile>(temp / "install.ini");
    ::Setup.Registry = std::make_unique<RegistryAccess>();
    ::Setup.TempDir = temp.Path() + "\\";
    ::Setup.WindowsDir = windows.Path();
    ::Setup.SystemDir = windows / "system32";
    ::Setup.InstallFolder = install.Path();
    ::Setup.ProgramFilesDir = install.Path();
    ::Setup.PackageName = "Example Editor";
    ::Setup.IsWindowsNT = 1;
    CreateDirectoryA(::Setup.SystemDir.c_str(), nullptr);
    WriteTextFile(media / "setup.exe", "MZ the setup program itself");
    SetCurrentDirectoryA(media.Path().c_str());
    ui.onPause = [this](DWORD milliseconds) {
        pauses.push_back(milliseconds);
        if (milliseconds == PauseAfterFile)
            barsAtFileEnd.push_back({form.ProgressBar1.Position(), form.TotalProgress.Position()});
    };
}

InstallTestBed::~InstallTestBed() {
    ::Setup.InstallScript = std::move(savedScript_);
    ::Setup.Registry = std::move(savedRegistry_);
}

void InstallTestBed::WriteScript(const std::string& content) { WriteTextFile(temp / "install.ini", content); }

void InstallTestBed::PutDiskId(int disk) {
    char name[16];
    wsprintfA(name, "disk%02d.id", disk);
    WriteTextFile(media / name, "disk");
}

std::vector<MediaFile> InstallTestBed::SampleFiles(const std::string& prefix, size_t count) {
    std::vector<MediaFile> files;
    for (size_t i = 1; i <= count; ++i)
        files.push_back({prefix + std::to_string(i) + ".dat", SampleContent(100 + 37 * i, static_cast<unsigned>(i))});
    return files;
}

std::string InstallTestBed::ProgramFilesLines(const std::string& folder, const std::vector<MediaFile>& files) {
    std::string lines;
    for (size_t i = 0; i < files.size(); ++i)
        lines += "file" + std::to_string(i + 1) + "=" + folder + "\\" + files[i].first + "\n";
    return lines;
}

LogEntries InstallTestBed::Log(const char* section) const {
    EntryList entries;
    ::Setup.UninstallLog->ReadEntries(section, entries);
    LogEntries result;
    for (const Entry& entry : entries) result.push_back({entry.name, entry.value});
    return result;
}

void InstallTestBed::ExpectEndedEarly() {
    EXPECT_EQ(form.RunAborted, 1);
    EXPECT_EQ(form.Button1.Caption(), "&Cancel");
    ShowWindow(form.Handle(), SW_SHOWNA);
    SendMessageA(form.Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
    EXPECT_FALSE(form.Visible()) << "a mouse movement closes the window after an early end";
}

}  // namespace installtests
