#pragma once
#include <string>
#include <utility>
#include <vector>

#include "support/TestFiles.h"

// Which program makes the media: scripts/make-media.sh with the Linux setup-media, or the
// Windows setup-media.exe, run here under wine.
enum class MediaMaker { LinuxScript, WindowsTool };

// A package folder with a disk folder per disk, and the media made of it: one media folder per
// disk, the first holding setup.exe, install.ini and the licence.
class SetupMedia {
public:
    using Files = std::vector<std::pair<std::string, std::string>>;  // name, content

    // `disks` holds the files of each disk in order; `options` go to setup-media build.
    SetupMedia(const std::string& script, const std::string& licence, const std::vector<Files>& disks,
               MediaMaker maker = MediaMaker::LinuxScript, const std::string& options = "");
    // Media of a package folder that exists already (a Linux path).
    explicit SetupMedia(const std::string& packageUnixFolder);

    // The folder setup.exe is started in.
    std::string First() const { return out_ / "media\\disk01"; }
    std::string Disk(int number) const;
    // Empty when the media were made, else what went wrong.
    const std::string& Error() const { return error_; }
    // Copies the files of disk `number` into the first folder, as inserting the disk does.
    void InsertDisk(int number) const;
    // Builds the package as a one-file setup with the program at `setupUnixPath` (the shipped
    // one when empty), as `name` in a folder of its own; its path, or empty on a failure.
    std::string MakeOneFile(const std::string& name, const std::string& setupUnixPath = "") const;

private:
    void Make(const std::string& packageUnixFolder);
    void MakeWithWindowsTool(const std::string& options);

    std::string packageUnix_;
    TempFolder package_;
    TempFolder out_;
    std::string error_;
};

// Replaces the media's setup.exe with the build that takes itself for unelevated (wine runs every
// program elevated); the shipped one stays beside it as elevated.exe, which that build starts when
// its elevation is accepted.
void MakeUnelevated(const SetupMedia& media);

// The shipped setup.exe as wine shows its path, and as Linux does.
std::string SetupExePath();
// The setup.exe of `folder` when it holds one (media: setup.exe reads them from its own folder),
// else the shipped one.
std::string SetupExeIn(const std::string& folder);
std::string SetupExeUnixPath();
// The Windows setup-media.exe as wine shows its path.
std::string SetupMediaExePath();
// The folder where screenshots go: SETUP_SCREENSHOT_DIR (a Linux path) when set, else `fallback`.
std::string ScreenshotFolder(const std::string& fallback);
