#pragma once
#include <string>

#include "state/ProgressView.h"
#include "toolkit/Button.h"
#include "toolkit/Form.h"
#include "toolkit/Label.h"
#include "toolkit/ProgressBar.h"

// The install progress window: the screen's view of the install run, which its activation runs.
class TProgressForm : public Form, public ProgressView {
public:
    TProgressForm();

    Status FormActivate() override;
    void FormMouseMove() override;
    void Button1Click();

    Label IProgramName;
    Label ICurrentFile;
    ProgressBar ProgressBar1;
    Button Button1;
    ProgressBar TotalProgress;

    // 1 once the run has ended early; the mouse then closes the window too.
    int RunAborted = 0;

    void ShowCaption(const std::string& caption) override;
    void ShowPhase(const std::string& text) override;
    void ShowCurrentItem(const std::string& text) override;
    void SetBarStep(ProgressBarRole bar, int step) override;
    void StepBar(ProgressBarRole bar) override;
    void SetBarPosition(ProgressBarRole bar, int position) override;
    void ShowEnded() override;
    void ShowChanges() override;
    void KeepAnswering() override;

private:
    ProgressBar& BarOf(ProgressBarRole bar) { return bar == ProgressBarRole::Total ? TotalProgress : ProgressBar1; }
};
