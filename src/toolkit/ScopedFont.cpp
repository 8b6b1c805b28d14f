#include "toolkit/ScopedFont.h"

#include "toolkit/DisplayScale.h"

ScopedFont::ScopedFont(const FontSpec& design)
    : font_(CreateFontA(ToPixels(design.height), 0, 0, 0, design.bold ? FW_BOLD : FW_NORMAL, design.italic, FALSE,
                        FALSE, ANSI_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                        DEFAULT_PITCH | FF_DONTCARE, design.face)) {}

ScopedFont::~ScopedFont() {
    if (font_) DeleteObject(font_);
}
