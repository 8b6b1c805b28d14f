#include "toolkit/Button.h"

#include "toolkit/Dispatch.h"

namespace {

// What the button's edges and focus frame take beside its caption, as a design length.
constexpr int CaptionPadding = 12;

}  // namespace

Button::Button(Container& parent, const Bounds& bounds, const char* caption, Handler onClick)
    : Control(parent, "BUTTON", BS_PUSHBUTTON | WS_TABSTOP, 0, bounds, caption), onClick_(std::move(onClick)) {
    GrowToCaption();
}

void Button::SetCaption(const std::string& caption) {
    Control::SetCaption(caption);
    GrowToCaption();
}

void Button::GrowToCaption() { GrowTo(CaptionSize(0).cx + CaptionPadding, true); }

void Button::Click() {
    if (onClick_) ReportHandlerFailure(onClick_());
}

void Button::OnCommand(WORD code) {
    if (code == BN_CLICKED) Click();
}

void Button::MakeDefault() {
    SendMessageA(Handle(), BM_SETSTYLE, BS_DEFPUSHBUTTON, TRUE);
    Focus();
}
