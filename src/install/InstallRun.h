#pragma once
#include <string>
#include <vector>

#include "base/Status.h"
#include "setupdata/EntryList.h"
#include "state/ProgressView.h"

// The install run: the program files of every disk, the registry keys and values, the program
// group and the shortcuts, in this order, reported to a progress view. Messages, pauses and
// beeps go to the run's face. A phase that meets a fatal error shows it, sets RunAborted and
// returns; the run then stops. A failure of the layers (a log that cannot be written) ends it
// too, with RunAborted still 0: the run, and each phase, return it for the caller to report.
class InstallRun {
public:
    explicit InstallRun(ProgressView& view) : view_(view) {}

    // The whole install; it completed when it succeeds with RunAborted 0.
    Status Run();
    // Installs the files of disk `disk` (from 1) of `diskCount`.
    Status InstallProgramFiles(int disk, int diskCount);
    // Creates the listed registry keys, logging the new ones, then writes the listed values.
    Status WriteRegistryEntries();
    // Makes the program group folder and the group, Start menu and desktop shortcuts. A shortcut
    // the shell could not make is noted in the run's log; the screen shows nothing of it.
    Status CreateShortcuts();
    // When the script asks for it, the package's entry in the platform's list of installed
    // programs, its key logged; never over another product's entry, never without the program
    // copy its commands start.
    Status WriteUninstallEntry();

    // 1 once the run has ended early.
    int RunAborted = 0;
    // The person cancelled the run at a file in use: what it made is to be undone.
    bool UndoWanted = false;

private:
    bool programCopied_ = false;
    // The files of every disk so far and their records, written in batches (LogExpandedFiles);
    // the first `loggedFiles_` of them are in the log, as of `loggedAt_`.
    EntryList fileEntries_;
    EntryList fileRecords_;
    size_t loggedFiles_ = 0;
    unsigned long long loggedAt_ = 0;

    Status RunDisk(int disk, int diskCount);
    // Writes the files expanded so far into the log; on failure, removes those it could not record.
    Status LogExpandedFiles();
    void ShowCompleted();
    // The error box of a phase that ends the run.
    void FailRun(const std::string& message);
    void SetBarSteps(int barStep, int totalStep);
    void StepBars();

    ProgressView& view_;
};

// The destinations of the package files of every disk that are there already, which the install replaces.
std::vector<std::string> ExistingDestinations(int diskCount);

// The program [Package] run= names, as a shortcut's target, macros replaced; empty when it names none.
Result<std::string> ProgramToStart();

// The target of the first shortcut the script asks for, macros replaced; empty when there is none.
Result<std::string> FirstShortcutTarget();
