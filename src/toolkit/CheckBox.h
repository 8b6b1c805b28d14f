#pragma once

#include "toolkit/Control.h"

// A tick box with its caption beside it. It grows from its left edge to show its caption whole in
// any language; the layout moves its neighbours (RowLayout.h).
class CheckBox : public Control {
public:
    CheckBox(Container& parent, const Bounds& bounds, const char* caption);

    void SetCaption(const std::string& caption) override;

    bool Checked() const;
    void SetChecked(bool checked);

private:
    void GrowToCaption();
    void ShowWordsBroken(int width);
};
