#include "toolkit/Label.h"

#include <algorithm>

Label::Label(Container& parent, const Bounds& bounds, const char* caption, LabelAlign align,
             const FontSpec* font, LabelSizing sizing)
    : Control(parent, "STATIC", SS_NOPREFIX | SS_EDITCONTROL | (align == LabelAlign::Center ? SS_CENTER : SS_LEFT), 0,
              bounds, caption, font),
      color_(font ? font->color : RGB(0, 0, 0)),
      align_(align),
      sizing_(sizing) {
    Fit();
}

void Label::SetCaption(const std::string& caption) {
    Control::SetCaption(caption);
    Fit();
    // A resize repaints only the strip it uncovers, and the text changed all along the label.
    RedrawWindow(Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE);
}

// Every label is at least as tall as its font's line. One that fits its text or grows to its
// caption is as wide as that on one line, up to the widest its window can be; its neighbours on
// the row move where the window's rows say (RowLayout.h). A caption wider than the label wraps
// (DT_EDITCONTROL, as SS_EDITCONTROL paints it), and what lies below moves down.
void Label::Fit() {
    const SIZE line = CaptionSize(DT_NOPREFIX);
    const int width = std::min<int>(line.cx, WidestWidth(align_ == LabelAlign::Center));
    if (sizing_ == LabelSizing::GrowToCaption) GrowTo(width, align_ == LabelAlign::Center);
    Bounds bounds = GetBounds();
    if (sizing_ == LabelSizing::FitText) {
        bounds.width = width;
        SetBounds(bounds);
    }
    if (line.cx <= bounds.width) return GrowTaller(line.cy, false);
    GrowTaller(CaptionSize(DT_NOPREFIX | DT_EDITCONTROL, bounds.width).cy, true);
}

std::optional<LRESULT> Label::OnControlColor(HDC dc) {
    SetTextColor(dc, color_);
    SetBkMode(dc, TRANSPARENT);
    return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
}
