#include "toolkit/CheckBox.h"

namespace {

// What the box and the gap after it take beside the caption, as a design length.
constexpr int BoxWidth = 18;

}  // namespace

CheckBox::CheckBox(Container& parent, const Bounds& bounds, const char* caption)
    : Control(parent, "BUTTON", BS_AUTOCHECKBOX | WS_TABSTOP, 0, bounds, caption) {
    GrowToCaption();
}

void CheckBox::SetCaption(const std::string& caption) {
    Control::SetCaption(caption);
    GrowToCaption();
}

void CheckBox::GrowToCaption() { GrowTo(CaptionSize(0).cx + BoxWidth, false); }

bool CheckBox::Checked() const { return SendMessageA(Handle(), BM_GETCHECK, 0, 0) == BST_CHECKED; }

void CheckBox::SetChecked(bool checked) {
    SendMessageA(Handle(), BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
}
