#pragma once
#include "toolkit/Control.h"

// A progress bar over 0..100 with the three operations the engines use: set the position,
// set the step, and step. A position past the range is shown, and kept, at the range's end.
class ProgressBar : public Control {
public:
    ProgressBar(Container& parent, const Bounds& bounds, int step = 10);

    int Position() const { return position_; }
    void SetPosition(int position);
    int Step() const { return step_; }
    void SetStep(int step) { step_ = step; }
    void StepIt();

    static constexpr int Minimum = 0;
    static constexpr int Maximum = 100;

private:
    int position_ = 0;
    int step_;
};
