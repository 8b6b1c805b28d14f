#include "toolkit/Label.h"

#include "toolkit/DisplayScale.h"

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

}  // namespace

Label::Label(Container& parent, const Bounds& bounds, const char* caption, LabelAlign align,
             const FontSpec* font, bool autoSize)
    : Control(parent, "STATIC", SS_NOPREFIX | SS_ENDELLIPSIS | (align == LabelAlign::Center ? SS_CENTER : SS_LEFT), 0,
              bounds, caption, font),
      color_(font ? font->color : RGB(0, 0, 0)),
      autoSize_(autoSize) {
    if (autoSize_) FitToText();
}

void Label::SetCaption(const std::string& caption) {
    Control::SetCaption(caption);
    if (!autoSize_) return;
    FitToText();
    // A resize repaints only the strip it uncovers, and the text changed all along the label.
    RedrawWindow(Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE);
}

void Label::FitToText() {
    const WindowFontDC dc(Handle());
    SIZE extent{0, 0};
    GetTextExtentPoint32A(dc.Get(), Caption().c_str(), static_cast<int>(Caption().size()), &extent);
    TEXTMETRICA metrics{};
    GetTextMetricsA(dc.Get(), &metrics);
    Bounds bounds = GetBounds();
    bounds.width = ToDesignLength(extent.cx);
    bounds.height = ToDesignLength(metrics.tmHeight);
    SetBounds(bounds);
}

std::optional<LRESULT> Label::OnControlColor(HDC dc) {
    SetTextColor(dc, color_);
    SetBkMode(dc, TRANSPARENT);
    return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
}
