#pragma once
#include <windows.h>

#include <string>

// setup.exe (or `program`) started with arguments and no one at the screen. Its exit code, or
// STILL_ACTIVE when it did not end in time: a window or a message box would wait for a person forever.
DWORD RunQuietly(const std::string& arguments, const std::string& folder, const std::string& program = "");

// The path of the unattended runs' log: setup.log in the Windows folder's Temp, where elevated runs
// (every run under wine) keep it; an ordinary user's run keeps it in the user's Temp.
enum class RunRights { Elevated, Ordinary };
std::string SetupLogPath(RunRights rights = RunRights::Elevated);

// What runs appended to setup.log since the tail was made; runs before it wrote there too.
class SetupLogTail {
public:
    explicit SetupLogTail(RunRights rights = RunRights::Elevated);
    std::string Text() const;

private:
    std::string path_;
    size_t start_;
};
