#pragma once
#include <windows.h>

#include <string>

#include "toolkit/Button.h"
#include "toolkit/Form.h"

// Types `text` into a control as the keyboard does, so the control counts it as modified.
inline void TypeInto(HWND control, const std::string& text) {
    for (char c : text) SendMessageA(control, WM_CHAR, static_cast<unsigned char>(c), 0);
}

// Queues a press of `button`; the next modal loop of its form handles it.
inline void QueueClick(const Button& button) {
    PostMessageA(button.OwnerForm().Handle(), WM_COMMAND, MAKEWPARAM(0, BN_CLICKED),
                 reinterpret_cast<LPARAM>(button.Handle()));
}
