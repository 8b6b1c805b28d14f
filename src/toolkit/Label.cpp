#include "toolkit/Label.h"

#include <algorithm>

#include "base/TextEncoding.h"
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

}  // namespace

Label::Label(Container& parent, const Bounds& bounds, const char* caption, LabelAlign align,
             const FontSpec* font, LabelSizing sizing)
    : Control(parent, "STATIC", SS_NOPREFIX | SS_ENDELLIPSIS | (align == LabelAlign::Center ? SS_CENTER : SS_LEFT), 0,
              bounds, caption, font),
      color_(font ? font->color : RGB(0, 0, 0)),
      align_(align),
      sizing_(sizing) {
    if (sizing_ == LabelSizing::FitText) FitToText();
    if (sizing_ == LabelSizing::GrowToCaption) GrowToCaption();
}

void Label::SetCaption(const std::string& caption) {
    Control::SetCaption(caption);
    if (sizing_ != LabelSizing::FitText) return;
    FitToText();
    // A resize repaints only the strip it uncovers, and the text changed all along the label.
    RedrawWindow(Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE);
}

// Measured through the wide call: the narrow one reads the text in a code page of its own, not
// the program's.
SIZE Label::TextSize() const {
    const WindowFontDC dc(Handle());
    const std::string text = ToUtf16(Caption());
    SIZE extent{0, 0};
    GetTextExtentPoint32W(dc.Get(), WideChars(text), WideLength(text), &extent);
    TEXTMETRICA metrics{};
    GetTextMetricsA(dc.Get(), &metrics);
    const DisplayScale& scale = OwnerForm().Scale();
    return {scale.ToDesignLength(extent.cx), scale.ToDesignLength(metrics.tmHeight)};
}

void Label::FitToText() {
    const SIZE size = TextSize();
    Bounds bounds = GetBounds();
    bounds.width = size.cx;
    bounds.height = size.cy;
    SetBounds(bounds);
}

// Only the label itself grows: its neighbours stay where the layout put them.
void Label::GrowToCaption() {
    const SIZE size = TextSize();
    Bounds bounds = GetBounds();
    if (size.cx > bounds.width) {
        if (align_ == LabelAlign::Center) bounds.left -= (size.cx - bounds.width + 1) / 2;
        bounds.width = size.cx;
    }
    bounds.height = std::max<int>(bounds.height, size.cy);
    SetBounds(bounds);
}

std::optional<LRESULT> Label::OnControlColor(HDC dc) {
    SetTextColor(dc, color_);
    SetBkMode(dc, TRANSPARENT);
    return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
}
