#pragma once
#include "uninstall/ProgressWindow.h"

// The install progress window: the progress window with the bar of the whole run, whose
// activation runs the install.
class TProgressForm : public ProgressWindow {
public:
    TProgressForm();

    Status FormActivate() override;
    // When the mouse moves over it.
    void FormMouseMove();

    // The controls by the names the install window gives them.
    Label& IProgramName = PhaseLabel;
    Label& ICurrentFile = ItemLabel;
    ProgressBar& TotalProgress = *TotalBar;

    // 1 once the run has ended early; the mouse then closes the window too.
    int RunAborted = 0;
};
