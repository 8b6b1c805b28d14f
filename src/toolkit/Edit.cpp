#include "toolkit/Edit.h"

#include "base/Utf8Text.h"

Edit::Edit(Container& parent, const Bounds& bounds, const char* text)
    : Control(parent, "EDIT", ES_AUTOHSCROLL | WS_TABSTOP, WS_EX_CLIENTEDGE, bounds, text) {
    // No length limit of its own beyond the platform's.
    SendMessageA(Handle(), EM_SETLIMITTEXT, 0, 0);
    KeepLeftToRight();
    // A Unicode window, so that typed characters reach it whole: an ANSI one gets each as the
    // bytes of the code page, which for UTF-8 it cannot put together again.
    SetWindowLongPtrW(Handle(), GWLP_WNDPROC, GetWindowLongPtrW(Handle(), GWLP_WNDPROC));
}

std::string Edit::Text() const { return WindowText(); }

void Edit::SetText(const std::string& text) {
    SetCaption(text);
    SendMessageA(Handle(), EM_SETMODIFY, FALSE, 0);
}

void Edit::SelectAll() { SendMessageA(Handle(), EM_SETSEL, 0, -1); }

std::string Edit::SelectedText() const {
    DWORD start = 0, end = 0;
    SendMessageA(Handle(), EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    const std::string text = Text();
    const size_t from = BytesBeforeWidePosition(text, start);
    const size_t to = BytesBeforeWidePosition(text, end);
    return from < to ? text.substr(from, to - from) : std::string();
}

bool Edit::Modified() const { return SendMessageA(Handle(), EM_GETMODIFY, 0, 0) != 0; }

