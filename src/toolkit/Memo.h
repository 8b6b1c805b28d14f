#pragma once
#include "toolkit/Control.h"

// A read-only multi-line text box with a vertical scroll bar; long lines wrap at its width.
class Memo : public Control {
public:
    Memo(Container& parent, const Bounds& bounds, const char* text, const FontSpec* font = nullptr);

    // Replaces the whole text with the lines of `content`, an author's file read as
    // DecodeAuthorText reads it.
    void LoadText(const std::string& content);
    // The text as the box holds it, lines ended by CR LF.
    std::string Text() const;

    // Read-only, yet shown like an editable box: black on the window colour.
    std::optional<LRESULT> OnControlColor(HDC dc) override;
};

// The lines of `content` (ended by CR LF, LF or CR; a final line end adds no empty line),
// joined by CR LF as a multi-line box needs them.
std::string JoinLinesForDisplay(const std::string& content);
