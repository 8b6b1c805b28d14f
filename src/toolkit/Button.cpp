#include "toolkit/Button.h"

#include "toolkit/Dispatch.h"

Button::Button(Container& parent, const Bounds& bounds, const char* caption, Handler onClick)
    : Control(parent, "BUTTON", BS_PUSHBUTTON | WS_TABSTOP, 0, bounds, caption), onClick_(std::move(onClick)) {}

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
