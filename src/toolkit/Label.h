#pragma once
#include "toolkit/Control.h"

enum class LabelAlign { Left, Center };

// A static text, sized to its text as `sizing` says (a centred label that grows keeps its centre).
// A text wider than the label may be wraps onto more lines, a word longer than a line broken
// where the line ends: every character shows.
class Label : public Control {
public:
    Label(Container& parent, const Bounds& bounds, const char* caption, LabelAlign align = LabelAlign::Left,
          const FontSpec* font = nullptr, LabelSizing sizing = LabelSizing::KeepWidth);

    void SetCaption(const std::string& caption) override;
    std::optional<LRESULT> OnControlColor(HDC dc) override;
    void Refit() override { Fit(); }

private:
    void Fit();

    COLORREF color_;
    LabelAlign align_;
    LabelSizing sizing_;
};
