#include "toolkit/PopupMenu.h"

#include "toolkit/Dispatch.h"

PopupMenu::PopupMenu() : menu_(CreatePopupMenu()) {}

PopupMenu::~PopupMenu() {
    if (menu_) DestroyMenu(menu_);
}

size_t PopupMenu::AddItem(const std::string& caption, Handler onClick) {
    items_.push_back({caption, std::move(onClick)});
    // Item ids start at 1: TrackPopupMenu returns 0 when nothing was chosen.
    AppendMenuA(menu_, MF_STRING, items_.size(), items_.back().caption.c_str());
    return items_.size() - 1;
}

void PopupMenu::Popup(HWND owner, POINT screenPoint) {
    // The owner must be foreground, or the menu stays up after a click elsewhere.
    SetForegroundWindow(owner);
    const UINT chosen = TrackPopupMenu(menu_, TPM_RETURNCMD | TPM_RIGHTBUTTON | TPM_NONOTIFY, screenPoint.x,
                                       screenPoint.y, 0, owner, nullptr);
    PostMessageA(owner, WM_NULL, 0, 0);
    if (chosen >= 1 && chosen <= items_.size()) ClickItem(chosen - 1);
}

void PopupMenu::ClickItem(size_t index) {
    const auto& handler = items_.at(index).onClick;
    if (handler) ReportHandlerFailure(handler());
}
