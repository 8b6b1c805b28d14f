#pragma once
#include <string>

#include "state/ProgressView.h"

// The install run: the program files of every disk, the registry keys and values, the program
// group and the shortcuts, in this order, reported to a progress view. Messages, pauses and
// beeps go to the run's face. A phase that meets a fatal error shows it, sets RunAborted and
// returns; the run then stops. Errors the layers raise (a log that cannot be written) end it
// with RunAborted still 0.
class InstallRun {
public:
    explicit InstallRun(ProgressView& view) : view_(view) {}

    // The whole install; true when it completed.
    bool Run();
    // Installs the files of disk `disk` (from 1) of `diskCount`.
    void InstallProgramFiles(int disk, int diskCount);
    // Creates the listed registry keys, logging the new ones, then writes the listed values.
    void WriteRegistryEntries();
    // Makes the program group folder and the group, Start menu and desktop shortcuts.
    void CreateShortcuts();
    // When the script asks for it, the package's entry in the platform's list of installed
    // programs, its key logged; never over another product's entry, never without the program
    // copy its commands start.
    void WriteUninstallEntry();

    // 1 once the run has ended early.
    int RunAborted = 0;

private:
    bool programCopied_ = false;

    bool RunDisk(int disk, int diskCount);
    void ShowCompleted();
    // The error box of a phase that ends the run.
    void FailRun(const std::string& message);
    void SetBarSteps(int barStep, int totalStep);
    void StepBars();

    ProgressView& view_;
};

// The target of the first shortcut the script asks for, macros replaced; empty when there is none.
std::string FirstShortcutTarget();
