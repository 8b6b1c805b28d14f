#pragma once
#include "toolkit/Control.h"

// A single-line edit box.
class Edit : public Control {
public:
    Edit(Container& parent, const Bounds& bounds, const char* text = "");

    // The text as it stands in the box now (typed text included).
    std::string Text() const;
    void SetText(const std::string& text);
    void SelectAll();
    std::string SelectedText() const;
    // Whether the user changed the text since it was last set.
    bool Modified() const;
};
