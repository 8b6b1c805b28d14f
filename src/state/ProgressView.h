#pragma once
#include <string>

// The two bars of a progress window: the one of the disk or phase at hand and, for the
// install, the total. A window without a total bar ignores what is meant for it.
enum class ProgressBarRole { Current, Total };

// What a run's progress window shows: its caption, the phase, the item at hand, the bars
// (over 0..100) and, once the run has ended, a button that reads "OK". The run does not return
// to the message loop until it ends; a change is painted when the window next answers (every
// 20 ms at most while the run works, and through every pause). This view itself shows nothing,
// for work no one watches: an upgrade's removals, done as its log is left.
class ProgressView {
public:
    virtual void ShowCaption(const std::string& /*caption*/) {}
    virtual void ShowPhase(const std::string& /*text*/) {}
    virtual void ShowCurrentItem(const std::string& /*text*/) {}
    virtual void SetBarStep(ProgressBarRole /*bar*/, int /*step*/) {}
    virtual void StepBar(ProgressBarRole /*bar*/) {}
    virtual void SetBarPosition(ProgressBarRole /*bar*/, int /*position*/) {}
    // The run has ended: the button now reads "OK".
    virtual void ShowEnded() {}
    // Paints what changed now, before a step that may take long.
    virtual void ShowChanges() {}
    // Lets the window answer, at most every 20 ms, through a long step that shows nothing.
    virtual void KeepAnswering() {}
};
