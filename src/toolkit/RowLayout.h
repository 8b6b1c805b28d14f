#pragma once
#include <initializer_list>

#include "toolkit/Control.h"

// Controls side by side on one row, left to right as the layout places them. Captions in another
// language can be longer than the layout's (buttons and labels grow to show them whole): a
// control that would now touch the one before it moves along, and the ones after it with it,
// and the form widens to hold the row.
void KeepRowApart(std::initializer_list<Control*> row);
// A control under another moves down when the one above grew into it (a taller line of text).
void KeepBelow(const Control& above, Control& below);
