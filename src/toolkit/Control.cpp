#include "toolkit/Control.h"

#include "base/TextEncoding.h"
#include "toolkit/Application.h"
#include "toolkit/Form.h"

namespace {

// A window's device context with the window's own font selected, both given back when it goes.
class WindowFontDC {
public:
    explicit WindowFontDC(HWND window)
        : window_(window),
          dc_(GetDC(window)),
          oldFont_(SelectObject(dc_, reinterpret_cast<HGDIOBJ>(SendMessageA(window, WM_GETFONT, 0, 0)))) {}
    ~WindowFontDC() {
        SelectObject(dc_, oldFont_);
        ReleaseDC(window_, dc_);
    }
    WindowFontDC(const WindowFontDC&) = delete;
    WindowFontDC& operator=(const WindowFontDC&) = delete;

    HDC Get() const { return dc_; }

private:
    HWND window_;
    HDC dc_;
    HGDIOBJ oldFont_;
};

// The least room between a control that grows across its window and the window's edges.
constexpr int EdgeRoom = 4;

}  // namespace

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

void Control::KeepLeftToRight() {
    // A child takes its parent's mirroring when it is made; taken off, it lays out and reads its
    // text as in a left-to-right window, where the parent placed it.
    SetWindowLongPtrW(handle_, GWL_EXSTYLE, GetWindowLongPtrW(handle_, GWL_EXSTYLE) & ~(WS_EX_LAYOUTRTL | WS_EX_RTLREADING));
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

// Measured through the wide call: the narrow one reads the text in a code page of its own, not
// the program's.
SIZE Control::CaptionSize(UINT format, int wrapWidth) const {
    const WindowFontDC dc(handle_);
    const std::string text = ToUtf16(caption_);
    const DisplayScale& scale = form_.Scale();
    RECT area{0, 0, scale.ToPixels(wrapWidth), 0};
    DrawTextW(dc.Get(), WideChars(text), WideLength(text), &area,
              DT_CALCRECT | (wrapWidth ? DT_WORDBREAK : DT_SINGLELINE) | format);
    return {scale.ToDesignLength(area.right), scale.ToDesignLength(area.bottom)};
}

void Control::Rescale() {
    if (font_) font_->Remake(fontSpec_, form_.Scale());
    SendMessageA(handle_, WM_SETFONT, reinterpret_cast<WPARAM>(font_ ? font_->Get() : form_.FontHandle()), FALSE);
    SetBounds(bounds_);
}

int Control::WidestWidth(bool keepCentre) const { return form_.WidestClient() - 2 * (keepCentre ? EdgeRoom : bounds_.left); }

int Control::FittingCharacters(const wchar_t* text, int count, int width) const {
    const WindowFontDC dc(handle_);
    int fit = 0;
    SIZE size{};
    GetTextExtentExPointW(dc.Get(), text, count, form_.Scale().ToPixels(width), &fit, nullptr, &size);
    return fit;
}

void Control::GrowTaller(int height, bool moveBelow) {
    const int added = height - bounds_.height;
    if (added <= 0) return;
    Bounds bounds = bounds_;
    bounds.height = height;
    SetBounds(bounds);
    if (moveBelow) form_.MakeRoomBelow(*this, added);
}

void Control::GrowTo(int width, bool keepCentre) {
    Bounds bounds = bounds_;
    if (width <= bounds.width) return;
    if (keepCentre) bounds.left -= (width - bounds.width + 1) / 2;
    bounds.width = width;
    SetBounds(bounds);
}
