#pragma once
#include "base/TextId.h"
#include "toolkit/Layout.h"

// A run's progress window as a layout spells it: the install's and the uninstall's are one
// window class (uninstall/ProgressWindow.h), laid out two ways.
struct ProgressWindowLayout {
    FormLayout form;
    TextId caption;
    const char* phaseDesign;  // the phase label's text until the run names its first phase
    Bounds phase;
    LabelSizing phaseSizing;
    Bounds currentItem;
    LabelSizing currentItemSizing;
    Bounds bar;
    int barStep;
    Bounds button;
    TextId buttonText;
    const Bounds* totalBar;  // the bar of the whole run; null for none
};
