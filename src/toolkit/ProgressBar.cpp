#include "toolkit/ProgressBar.h"

#include <commctrl.h>

#include <algorithm>

ProgressBar::ProgressBar(Container& parent, const Bounds& bounds, int step)
    : Control(parent, PROGRESS_CLASSA, 0, 0, bounds, ""), step_(step) {
    SendMessageA(Handle(), PBM_SETRANGE32, Minimum, Maximum);
    SendMessageA(Handle(), PBM_SETPOS, 0, 0);
}

// The control repaints on every position it is sent, even the one it shows: a bar that stands
// while thousands of entries go by is not told again.
void ProgressBar::SetPosition(int position) {
    const int kept = std::clamp(position, Minimum, Maximum);
    if (kept == position_) return;
    position_ = kept;
    SendMessageA(Handle(), PBM_SETPOS, static_cast<WPARAM>(position_), 0);
}

void ProgressBar::StepIt() { SetPosition(position_ + step_); }
