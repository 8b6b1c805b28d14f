#include "toolkit/Label.h"

Label::Label(Container& parent, const Bounds& bounds, const char* caption, LabelAlign align,
             const FontSpec* font, LabelSizing sizing)
    : Control(parent, "STATIC", SS_NOPREFIX | SS_ENDELLIPSIS | (align == LabelAlign::Center ? SS_CENTER : SS_LEFT), 0,
              bounds, caption, font),
      color_(font ? font->color : RGB(0, 0, 0)),
      align_(align),
      sizing_(sizing) {
    if (sizing_ == LabelSizing::FitText)
        FitToText();
    else
        GrowToCaption();
}

void Label::SetCaption(const std::string& caption) {
    Control::SetCaption(caption);
    if (sizing_ == LabelSizing::GrowToCaption) GrowToCaption();
    if (sizing_ != LabelSizing::FitText) return;
    FitToText();
    // A resize repaints only the strip it uncovers, and the text changed all along the label.
    RedrawWindow(Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE);
}

void Label::FitToText() {
    const SIZE size = CaptionSize(DT_NOPREFIX);
    Bounds bounds = GetBounds();
    bounds.width = size.cx;
    bounds.height = size.cy;
    SetBounds(bounds);
}

// Every label is at least as tall as its font's line; one that grows to its caption as wide as
// that too. Only the label itself grows: its neighbours move where the window's rows say
// (RowLayout.h).
void Label::GrowToCaption() {
    const SIZE size = CaptionSize(DT_NOPREFIX);
    if (sizing_ == LabelSizing::GrowToCaption) GrowTo(size.cx, align_ == LabelAlign::Center);
    Bounds bounds = GetBounds();
    if (size.cy <= bounds.height) return;
    bounds.height = size.cy;
    SetBounds(bounds);
}

std::optional<LRESULT> Label::OnControlColor(HDC dc) {
    SetTextColor(dc, color_);
    SetBkMode(dc, TRANSPARENT);
    return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
}
