#include "e2e/QuietRun.h"

#include "e2e/SetupMedia.h"
#include "e2e/UiDriver.h"
#include "support/TestFiles.h"

DWORD RunQuietly(const std::string& arguments, const std::string& folder, const std::string& program) {
    ProgramUnderTest setup(program.empty() ? SetupExeIn(folder) : program, arguments, folder);
    return setup.WaitForExit(60000) ? setup.ExitCode() : STILL_ACTIVE;
}

std::string SetupLogPath() {
    char temp[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, temp);
    return std::string(temp) + "setup.log";
}

SetupLogTail::SetupLogTail() : start_(ReadTextFile(SetupLogPath()).size()) {}

std::string SetupLogTail::Text() const { return ReadTextFile(SetupLogPath()).substr(start_); }
