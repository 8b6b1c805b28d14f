#pragma once

#include "toolkit/Control.h"

// A tick box with its caption beside it; the person ticks and unticks it.
class CheckBox : public Control {
public:
    CheckBox(Container& parent, const Bounds& bounds, const char* caption, bool checked);

    bool Checked() const;
};
