#pragma once
#include "uninstall/ProgressWindow.h"

// The uninstall progress window: the progress window without a bar of the whole run, whose
// activation runs the uninstall.
class TUninstallForm : public ProgressWindow {
public:
    TUninstallForm();

    Status FormActivate() override;

    // The controls by the names the uninstall window gives them.
    Label& UProgramName = PhaseLabel;
    Label& UCurrentFile = ItemLabel;
};
