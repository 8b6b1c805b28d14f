#include "toolkit/ScopedFont.h"

ScopedFont::ScopedFont(const FontSpec& spec)
    : font_(CreateFontA(spec.height, 0, 0, 0, spec.bold ? FW_BOLD : FW_NORMAL, spec.italic, FALSE, FALSE,
                        ANSI_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                        DEFAULT_PITCH | FF_DONTCARE, spec.face)) {}

ScopedFont::~ScopedFont() {
    if (font_) DeleteObject(font_);
}
