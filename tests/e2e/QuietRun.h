#pragma once
#include <windows.h>

#include <string>

// setup.exe (or `program`) started with arguments and no one at the screen. Its exit code, or
// STILL_ACTIVE when it did not end in time: a window or a message box would wait for a person forever.
DWORD RunQuietly(const std::string& arguments, const std::string& folder, const std::string& program = "");

// The path of the unattended runs' log, setup.log in the Temp folder.
std::string SetupLogPath();

// What runs appended to setup.log since the tail was made; runs before it wrote there too.
class SetupLogTail {
public:
    SetupLogTail();
    std::string Text() const;

private:
    size_t start_;
};
