#include "toolkit/Label.h"

Label::Label(Container& parent, const Bounds& bounds, const std::string& caption, LabelAlign align,
             const FontSpec* font, bool autoSize)
    : Control(parent, "STATIC", SS_NOPREFIX | (align == LabelAlign::Center ? SS_CENTER : SS_LEFT), 0, bounds,
              caption, font),
      color_(font ? font->color : RGB(0, 0, 0)),
      autoSize_(autoSize) {
    if (autoSize_) FitToText();
}

void Label::SetCaption(const std::string& caption) {
    Control::SetCaption(caption);
    if (autoSize_) FitToText();
}

void Label::FitToText() {
    HDC dc = GetDC(Handle());
    HGDIOBJ old = SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageA(Handle(), WM_GETFONT, 0, 0)));
    SIZE extent{0, 0};
    GetTextExtentPoint32A(dc, Caption().c_str(), static_cast<int>(Caption().size()), &extent);
    TEXTMETRICA metrics{};
    GetTextMetricsA(dc, &metrics);
    SelectObject(dc, old);
    ReleaseDC(Handle(), dc);
    Bounds bounds = GetBounds();
    bounds.width = extent.cx;
    bounds.height = metrics.tmHeight;
    SetBounds(bounds);
}

std::optional<LRESULT> Label::OnControlColor(HDC dc) {
    SetTextColor(dc, color_);
    SetBkMode(dc, TRANSPARENT);
    return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
}
