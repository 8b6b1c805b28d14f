#pragma once
#include "toolkit/Control.h"

enum class LabelAlign { Left, Center };

// A static text on one line, sized to its text as `sizing` says (a centred label that grows
// keeps its centre); a text wider than a label that keeps its bounds ends in "..." at its edge.
class Label : public Control {
public:
    Label(Container& parent, const Bounds& bounds, const char* caption, LabelAlign align = LabelAlign::Left,
          const FontSpec* font = nullptr, LabelSizing sizing = LabelSizing::KeepBounds);

    void SetCaption(const std::string& caption) override;
    std::optional<LRESULT> OnControlColor(HDC dc) override;

private:
    void FitToText();
    void GrowToCaption();

    COLORREF color_;
    LabelAlign align_;
    LabelSizing sizing_;
};
