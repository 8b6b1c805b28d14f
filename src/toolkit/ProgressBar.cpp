#include "toolkit/ProgressBar.h"

#include <commctrl.h>

#include <algorithm>

ProgressBar::ProgressBar(Container& parent, const Bounds& bounds, int step)
    : Control(parent, PROGRESS_CLASSA, 0, 0, bounds, ""), step_(step) {
    SendMessageA(Handle(), PBM_SETRANGE32, Minimum, Maximum);
    SendMessageA(Handle(), PBM_SETPOS, 0, 0);
}

void ProgressBar::SetPosition(int position) {
    position_ = std::clamp(position, Minimum, Maximum);
    SendMessageA(Handle(), PBM_SETPOS, static_cast<WPARAM>(position_), 0);
}

void ProgressBar::StepIt() { SetPosition(position_ + step_); }
