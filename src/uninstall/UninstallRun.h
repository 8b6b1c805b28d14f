#pragma once
#include <string>
#include <vector>

#include "state/ProgressView.h"
#include "uninstall/LoggedItem.h"

// The uninstall run: deletes the files and shortcuts, the registry keys and the directories
// that the uninstall log of `Setup` records, then the installed log and its working copy, and
// reports to a progress view. It asks nothing and reports no error, except the entries it left
// alone because they were not what the install made; what cannot go at once is, on Windows NT,
// left to the platform to delete at the next restart.
class UninstallRun {
public:
    // `undo`: the run takes back a failed install, and says so at its end.
    explicit UninstallRun(ProgressView& view, bool undo = false) : view_(view), undo_(undo) {}

    void Run();
    // The phases, callable one at a time. Files and registry keys are shown as the item at hand
    // and advance the bar; directories are removed last entry first.
    void UninstallFiles();
    void UninstallRegistryKeys();
    void UninstallDirectories();
    // The record of the installed log: last, and only once the log is gone.
    void RemoveLogRecord();
    // The files, registry keys and folders of the log, nothing else, then the report of what was
    // left: what an upgrade no longer ships.
    void RemoveLogged();

private:
    void RunShownPhase(const std::vector<std::string>& entries, Removal (*handleEntry)(const std::string&));
    void ShowCompleted();
    void Note(Removal removal, const std::string& entry);
    void ReportLeftAlone();

    ProgressView& view_;
    bool undo_;
    std::vector<std::string> leftAlone_;  // logged paths that were not what the install made, quoted
    std::vector<std::string> inUse_;      // logged files a program held, quoted
};
