#include "toolkit/CheckBox.h"

CheckBox::CheckBox(Container& parent, const Bounds& bounds, const char* caption, bool checked)
    : Control(parent, "BUTTON", BS_AUTOCHECKBOX | WS_TABSTOP, 0, bounds, caption) {
    SendMessageA(Handle(), BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
}

bool CheckBox::Checked() const { return SendMessageA(Handle(), BM_GETCHECK, 0, 0) == BST_CHECKED; }
