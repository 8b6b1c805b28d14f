#pragma once
#include "state/ProgressView.h"
#include "toolkit/Button.h"
#include "toolkit/Form.h"
#include "toolkit/Label.h"
#include "toolkit/ProgressBar.h"

// The uninstall progress window: the screen's view of the uninstall run, which its activation
// runs. Button1 closes it once the run has ended.
class TUninstallForm : public Form, public ProgressView {
public:
    TUninstallForm();

    Status FormActivate() override;
    void Button1Click();

    Label UProgramName;
    Label UCurrentFile;
    ProgressBar ProgressBar1;
    Button Button1;

    void ShowCaption(const std::string& caption) override;
    void ShowPhase(const std::string& text) override;
    void ShowCurrentItem(const std::string& text) override;
    // The window has no total bar: what is meant for it is ignored.
    void SetBarStep(ProgressBarRole bar, int step) override;
    void StepBar(ProgressBarRole bar) override;
    void SetBarPosition(ProgressBarRole bar, int position) override;
    void ShowEnded() override;

private:
    void ShowItemWhenDue();
    void ShowItemNow();

    std::string item_;
};
