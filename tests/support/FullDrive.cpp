#include "support/FullDrive.h"

#include <cctype>

#include "support/UnixTools.h"

namespace {

std::string DriveLink(char letter) {
    return "\"$WINEPREFIX/dosdevices/" + std::string(1, static_cast<char>(std::tolower(letter))) + ":\"";
}

}  // namespace

FullDrive::FullDrive(char letter, int kilobytes, int freePages) : letter_(letter) {
    const std::string point = ShellQuoted(UnixPathOf(mountPoint_.Path()));
    const UnixCommandResult result = RunUnixScript(
        "set -e\n"
        "[ -n \"$WINEPREFIX\" ]\n"
        "mount -t tmpfs -o size=" + std::to_string(kilobytes) + "k tmpfs " + point + "\n" +
        "ln -sfn " + point + " " + DriveLink(letter) + "\n" +
        "free=$(df -B4096 --output=avail " + point + " | tail -1)\n" +
        "dd if=/dev/zero of=" + point + "/filler bs=4096 count=$((free - " + std::to_string(freePages) +
        ")) 2>/dev/null\n");
    mounted_ = result.exitCode == 0;
    if (!mounted_) problem_ = "no small drive could be mounted here: " + result.output;
}

FullDrive::~FullDrive() {
    const std::string point = ShellQuoted(UnixPathOf(mountPoint_.Path()));
    RunUnixScript("rm -f " + DriveLink(letter_) + "\numount " + point + " 2>/dev/null\n");
}
