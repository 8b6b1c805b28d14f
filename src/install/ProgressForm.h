#pragma once
#include <string>

#include "toolkit/Button.h"
#include "toolkit/Form.h"
#include "toolkit/Label.h"
#include "toolkit/ProgressBar.h"

// The install progress window. Its activation runs the whole install: the program files of
// every disk, the registry entries and the shortcuts. A phase that meets a fatal error shows
// it, sets RunAborted and returns; the run then stops.
class TProgressForm : public Form {
public:
    TProgressForm();

    void FormActivate() override;
    void FormMouseMove() override;
    void Button1Click();

    // Installs the files of disk `disk` (from 1) of `diskCount`.
    void InstallProgramFiles(int disk, int diskCount);
    // Creates the listed registry keys, logging the new ones, then writes the listed values.
    void WriteRegistryEntries();
    // Makes the program group folder and the group, Start menu and desktop shortcuts.
    void CreateShortcuts();

    Label IProgramName;
    Label ICurrentFile;
    ProgressBar ProgressBar1;
    Button Button1;
    ProgressBar TotalProgress;

    // 1 once the run has ended early; the mouse then closes the window too.
    int RunAborted = 0;

private:
    // The run does not return to the message loop, so every change is painted at once.
    void ShowCaption(const std::string& caption);
    void ShowProgramName(const std::string& text);
    void ShowCurrentItem(const std::string& text);
    void SetBarSteps(int barStep, int totalStep);
    void StepBars();
    void SetBarPosition(ProgressBar& bar, int position);
    // The error box of a phase that ends the run.
    void FailRun(const std::string& message);
    bool RunDisk(int disk, int diskCount);
    void ShowCompleted();
};
