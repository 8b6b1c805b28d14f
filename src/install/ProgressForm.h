#pragma once
#include "toolkit/CheckBox.h"
#include "uninstall/ProgressWindow.h"

// The install progress window: the progress window with the bar of the whole run, whose
// activation runs the install.
class TProgressForm : public ProgressWindow {
public:
    TProgressForm();

    Status FormActivate() override;
    // When the mouse moves over it.
    void FormMouseMove();
    // Shows the tick box, ticked, naming the package.
    void OfferStart();

    // The controls by the names the install window gives them.
    Label& IProgramName = PhaseLabel;
    Label& ICurrentFile = ItemLabel;
    ProgressBar& TotalProgress = *TotalBar;
    // Shown, ticked, once a package that names a program to start ([Package] run=) is installed.
    CheckBox StartProgram;

    // 1 once the run has ended early; the mouse then closes the window too.
    int RunAborted = 0;
    // Takes back what a run the person cancelled made, shown in this window (set by the program).
    void (*UndoInstall)(ProgressView&) = nullptr;
};
