#pragma once
#include "toolkit/Button.h"
#include "toolkit/Form.h"
#include "toolkit/Label.h"
#include "toolkit/ProgressBar.h"

// The uninstall progress window. Its activation runs the whole uninstall from the log of
// `Setup`; Button1 closes it once the run has ended.
class TUninstallForm : public Form {
public:
    TUninstallForm();

    void FormActivate() override;
    void Button1Click();

    Label UProgramName;
    Label UCurrentFile;
    ProgressBar ProgressBar1;
    Button Button1;
};

// The three phases of the run, callable one at a time. Files and registry keys are shown
// in UCurrentFile and advance ProgressBar1; directories are removed last entry first.
void UninstallFiles(TUninstallForm& form);
void UninstallRegistryKeys(TUninstallForm& form);
void UninstallDirectories(TUninstallForm& form);
