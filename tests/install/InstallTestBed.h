#pragma once
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "support/CompressedMedia.h"
#include "install/ProgressForm.h"
#include "support/ScriptedUi.h"
#include "support/SetupStateScope.h"
#include "support/TestFiles.h"

// Helpers of the install engine tests.
namespace installtests {

using LogEntry = std::pair<std::string, std::string>;  // key, value
using LogEntries = std::vector<LogEntry>;

struct BarPositions {
    int bar;
    int total;
    bool operator==(const BarPositions&) const = default;
};

// Everything an install run needs in `Setup`: the media folder as the current directory, a
// Temp, Windows and install folder of its own, a setup script and an uninstall log, the
// registry object and a progress window. Message boxes and pauses go to `ui`; the bars are
// recorded at every pause after a file was shown.
class InstallTestBed {
public:
    InstallTestBed();
    ~InstallTestBed();
    InstallTestBed(const InstallTestBed&) = delete;
    InstallTestBed& operator=(const InstallTestBed&) = delete;

    void WriteScript(const std::string& content);
    // The disk's identification file in the media folder.
    void PutDiskId(int disk);
    // Files of `count` sample contents named <prefix>1.dat ... and script lines fileN=<folder>\<name>.
    static std::vector<MediaFile> SampleFiles(const std::string& prefix, size_t count);
    static std::string ProgramFilesLines(const std::string& folder, const std::vector<MediaFile>& files);

    void RunInstall() { EXPECT_TRUE(form.FormActivate().Ok()); }
    // What a section of the uninstall log holds, in order.
    LogEntries Log(const char* section) const;
    // The window as the user sees it once a run ended early: the button still cancels and
    // the first mouse movement closes it.
    void ExpectEndedEarly();

    TempFolder media;
    TempFolder temp;
    TempFolder windows;
    TempFolder install;
    ScriptedUi ui;
    TProgressForm form;
    std::vector<BarPositions> barsAtFileEnd;
    std::vector<DWORD> pauses;

private:
    SetupStateScope state_;
    CurrentFolderGuard restoreFolder_;
    std::unique_ptr<ProfileFile> savedScript_;
    std::unique_ptr<RegistryAccess> savedRegistry_;
};

}  // namespace installtests
