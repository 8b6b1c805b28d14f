#pragma once

#include "toolkit/Control.h"
#include "toolkit/Handler.h"

// A push button; its click handler runs at the form's dispatch point. It grows about its centre
// to show its caption whole in any language; the layout moves its neighbours (RowLayout.h).
class Button : public Control {
public:
    Button(Container& parent, const Bounds& bounds, const char* caption, Handler onClick);

    void SetCaption(const std::string& caption) override;

    // Runs the click handler as a press of the button does.
    void Click();
    // Makes it the window's default button, the one Enter presses, and gives it the keyboard.
    void MakeDefault();
    void OnCommand(WORD code) override;

private:
    void GrowToCaption();

    Handler onClick_;
};
