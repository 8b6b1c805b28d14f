#pragma once
#include "toolkit/Control.h"

enum class LabelAlign { Left, Center };

// A static text on one line. With autoSize it sizes itself to its text whenever the caption
// changes; otherwise a text wider than the label ends in "..." at its edge.
class Label : public Control {
public:
    Label(Container& parent, const Bounds& bounds, const char* caption, LabelAlign align = LabelAlign::Left,
          const FontSpec* font = nullptr, bool autoSize = false);

    void SetCaption(const std::string& caption) override;
    std::optional<LRESULT> OnControlColor(HDC dc) override;

private:
    void FitToText();

    COLORREF color_;
    bool autoSize_;
};
