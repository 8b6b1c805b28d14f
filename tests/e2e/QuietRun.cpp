#include "e2e/QuietRun.h"

#include "e2e/SetupMedia.h"
#include "e2e/UiDriver.h"
#include "support/TestFiles.h"

DWORD RunQuietly(const std::string& arguments, const std::string& folder, const std::string& program) {
    ProgramUnderTest setup(program.empty() ? SetupExeIn(folder) : program, arguments, folder);
    return setup.WaitForExit(60000) ? setup.ExitCode() : STILL_ACTIVE;
}

std::string SetupLogPath(RunRights rights) {
    char folder[MAX_PATH] = {};
    if (rights == RunRights::Ordinary) {
        GetTempPathA(MAX_PATH, folder);
        return std::string(folder) + "setup.log";
    }
    GetWindowsDirectoryA(folder, MAX_PATH);
    return std::string(folder) + "\\Temp\\setup.log";
}

SetupLogTail::SetupLogTail(RunRights rights) : path_(SetupLogPath(rights)), start_(ReadTextFile(path_).size()) {}

std::string SetupLogTail::Text() const { return ReadTextFile(path_).substr(start_); }
