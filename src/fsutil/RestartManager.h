#pragma once
#include <string>
#include <vector>

// The platform's Restart Manager: which programs hold some files, asking them to close, and
// starting again those that registered for it. The one seam the tests replace: Wine's lists and
// closes nothing, so only a stand-in shows the windows and choices.
// https://learn.microsoft.com/windows/win32/rstmgr/using-restart-manager-with-a-primary-installer
class RestartManager {
public:
    // Starts a session with `files` registered (RmStartSession, RmRegisterResources); false when
    // the platform has no Restart Manager.
    virtual bool Register(const std::vector<std::string>& files);
    // The programs and the services that hold the registered files now, by the names the platform
    // gives them (RmGetList).
    virtual void List(std::vector<std::string>& programs, std::vector<std::string>& services);
    // Asks the programs of the last List, not the services, to close, never forcing them
    // (RmShutdown without RmForceShutdown).
    virtual void Close();
    // Starts again what closed and had registered for it (RmRestart), and ends the session.
    virtual void Restart();
    // Ends the session (RmEndSession).
    virtual void End();

    static RestartManager& Current();
    // Puts `seam` in place of the platform's; null puts it back.
    static void Replace(RestartManager* seam);

protected:
    ~RestartManager() = default;
};
