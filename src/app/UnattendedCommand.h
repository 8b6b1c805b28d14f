#pragma once
#include <optional>
#include <string>
#include <string_view>

// What an unattended run is asked to do.
struct UnattendedCommand {
    std::optional<std::string> installFolder;  // install there instead of the proposed folder
    std::string logPath;                       // uninstall from this installed log when not empty
    bool verify = false;                       // check the install `logPath` records instead
    std::string planPath;                      // "/PLAN=": write there what the run would do, and do nothing
};

// The log path after "/VERIFY" (any case) and a blank, quoted or not, when `argument` starts with it.
std::optional<std::string> VerifiedLogPath(std::string_view argument);

// The argument text "/S" (any case, quoted or not) followed by a blank, a tab or the end selects
// the unattended mode. After it comes nothing (install to the proposed folder), "/D=" (any case)
// and the install folder, "/VERIFY" and the path of an installed log, or that path alone; either is the rest of the text. The
// switch with its value, or the value alone, may stand in double quotes; blanks around the value
// are not part of it. Nothing for every other argument text, which keeps its meaning.
std::optional<UnattendedCommand> ParseUnattendedCommand(const std::string& argumentText);
