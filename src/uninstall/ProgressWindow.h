#pragma once
#include <optional>
#include <string>

#include "forms/ProgressWindowLayout.h"
#include "state/ProgressView.h"
#include "toolkit/Button.h"
#include "toolkit/Form.h"
#include "toolkit/Label.h"
#include "toolkit/ProgressBar.h"

// A run's progress window, the screen's view of the install or uninstall run that its
// activation runs: the phase, the item at hand, the bar of the disk or phase, and, where the
// layout has one, the bar of the whole run (a view without it ignores what is meant for it).
// Items go by faster than anyone reads them, and fitting and painting each would take longer
// than the work: the latest is shown, with the bars, whenever the window answers (within 20 ms),
// before a step that may take long, and before a phase or the run ends. Until the run ends the
// window answers as it goes, but its button and close do nothing; then Button1 closes it.
// ProgressView first: its functions, which this class gives, then sit in one table of virtual
// functions rather than in two.
class ProgressWindow : public ProgressView, public Form {
public:
    explicit ProgressWindow(const ProgressWindowLayout& layout);

    // The window is shown modally, so closing it ends the showing with the cancel result.
    void Button1Click() { Close(); }

    Label PhaseLabel;
    Label ItemLabel;
    ProgressBar ProgressBar1;
    Button Button1;
    std::optional<ProgressBar> TotalBar;

    void ShowCaption(const std::string& caption) override;
    void ShowPhase(const std::string& text) override;
    void ShowCurrentItem(const std::string& text) override;
    void SetBarStep(ProgressBarRole bar, int step) override;
    void StepBar(ProgressBarRole bar) override;
    void SetBarPosition(ProgressBarRole bar, int position) override;
    void ShowEnded() override;
    void ShowChanges() override { ShowItemNow(); }
    void KeepAnswering() override { ShowItemWhenDue(); }

private:
    ProgressBar* BarOf(ProgressBarRole bar);
    void ShowItemWhenDue();
    void ShowItemNow();

    std::string item_;
};
