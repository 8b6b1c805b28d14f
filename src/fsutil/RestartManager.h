#pragma once
#include <string>
#include <vector>

// A program or service that has a file open which the run is about to replace or remove.
struct FileHolder {
    std::string name;  // as the platform names the application or service to a person
    bool service = false;
};

// Which programs hold files, closing them and starting them again: the platform's Restart
// Manager (rstrtmgr.dll) in the shipped program. The one seam the tests replace: under wine the
// Restart Manager lists no program and closes none.
class RestartManager {
public:
    virtual ~RestartManager() = default;
    // The programs and services that hold any of `paths` (files that exist); a new question each
    // time. None when the platform cannot be asked.
    virtual std::vector<FileHolder> Holders(const std::vector<std::string>& paths);
    // Asks the programs the last question found to close, never forcing them; the names of those
    // still running afterwards. Services are never stopped.
    virtual std::vector<std::string> Close();
    // Starts again what Close ended and registered itself to be restarted, and ends the question.
    virtual void Restart();

    static RestartManager& Current();
    // Puts `seam` in place of the platform; null puts the platform back.
    static void Replace(RestartManager* seam);
};
