#pragma once
#include <string>
#include <utility>
#include <vector>

#include "support/TestFiles.h"

// A package folder as scripts/make-media.sh takes it, and the media it makes of it: one media
// folder per disk, the first holding setup.exe, install.ini and the licence.
class SetupMedia {
public:
    using Files = std::vector<std::pair<std::string, std::string>>;  // name, content (16 bytes or more)

    // `disks` holds the files of each disk in order.
    SetupMedia(const std::string& script, const std::string& licence, const std::vector<Files>& disks);
    // Media of a package folder that exists already (a Linux path).
    explicit SetupMedia(const std::string& packageUnixFolder);

    // The folder setup.exe is started in.
    std::string First() const { return out_ / "media\\disk01"; }
    std::string Disk(int number) const;
    // Empty when the media were made, else what make-media.sh said.
    const std::string& Error() const { return error_; }
    // Copies the files of disk `number` into the first folder, as inserting the disk does.
    void InsertDisk(int number) const;

private:
    void Make(const std::string& packageUnixFolder);

    TempFolder package_;
    TempFolder out_;
    std::string error_;
};

// The shipped setup.exe as wine shows its path.
std::string SetupExePath();
// The folder where screenshots go: SETUP_SCREENSHOT_DIR (a Linux path) when set, else `fallback`.
std::string ScreenshotFolder(const std::string& fallback);
