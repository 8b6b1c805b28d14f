#pragma once
#include <functional>

#include "toolkit/Control.h"

// A push button; its click handler runs at the form's dispatch point.
class Button : public Control {
public:
    Button(Container& parent, const Bounds& bounds, const std::string& caption, std::function<void()> onClick);

    // Runs the click handler as a press of the button does.
    void Click();
    void OnCommand(WORD code) override;

private:
    std::function<void()> onClick_;
};
