#include "toolkit/Control.h"

#include "toolkit/Application.h"
#include "toolkit/Form.h"

Control::Control(Container& parent, const char* windowClass, DWORD style, DWORD exStyle, const Bounds& bounds,
                 const char* caption, const FontSpec* font)
    : form_(parent.OwnerForm()), caption_(caption), bounds_(bounds) {
    if (font) {
        fontSpec_ = *font;
        hasFont_ = true;
        font_ = std::make_unique<ScopedFont>(*font, form_.Scale());
    }
    const Bounds pixels = form_.Scale().ToPixels(bounds);
    handle_ = CreateWindowExA(exStyle, windowClass, caption, WS_CHILD | WS_VISIBLE | style, pixels.left,
                              pixels.top, pixels.width, pixels.height, parent.ContainerHandle(), nullptr,
                              Application::Instance().InstanceHandle(), nullptr);
    HFONT handleFont = font_ ? font_->Get() : form_.FontHandle();
    SendMessageA(handle_, WM_SETFONT, reinterpret_cast<WPARAM>(handleFont), FALSE);
    form_.RegisterControl(*this);
}

void Control::SetCaption(const std::string& caption) {
    caption_ = caption;
    // What SetWindowTextA sends to a window of this process.
    SendMessageA(handle_, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(caption.c_str()));
}

std::string Control::WindowText() const {
    // The messages GetWindowTextA sends to a window of this process.
    const int length = static_cast<int>(SendMessageA(handle_, WM_GETTEXTLENGTH, 0, 0));
    std::string text(static_cast<size_t>(length) + 1, '\0');
    const int got = static_cast<int>(SendMessageA(handle_, WM_GETTEXT, static_cast<WPARAM>(length) + 1,
                                                  reinterpret_cast<LPARAM>(text.data())));
    text.resize(got > 0 ? static_cast<size_t>(got) : 0);
    return text;
}

void Control::SetBounds(const Bounds& bounds) {
    bounds_ = bounds;
    const Bounds pixels = form_.Scale().ToPixels(bounds);
    MoveWindow(handle_, pixels.left, pixels.top, pixels.width, pixels.height, TRUE);
}

bool Control::Visible() const { return GetWindowLongPtrW(handle_, GWL_STYLE) & WS_VISIBLE; }

void Control::SetVisible(bool visible) { ShowWindow(handle_, visible ? SW_SHOW : SW_HIDE); }

void Control::Update() const {
    RedrawWindow(handle_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    Application::Instance().KeepAnswering();
}

void Control::Focus() { SetFocus(handle_); }
