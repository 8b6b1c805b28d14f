#include "toolkit/ScopedFont.h"

#include "toolkit/Application.h"
#include "toolkit/DisplayScale.h"

// The default character set lets the platform find the glyphs of any script, not only Western
// ones; a language whose script a Western face lacks asks for its own (Application::CharacterSet).
ScopedFont::ScopedFont(const FontSpec& design, const DisplayScale& scale) { Remake(design, scale); }

void ScopedFont::Remake(const FontSpec& design, const DisplayScale& scale) {
    if (font_) DeleteObject(font_);
    font_ = CreateFontA(scale.ToPixels(design.height), 0, 0, 0, design.bold ? FW_BOLD : FW_NORMAL, design.italic, FALSE,
                        FALSE, Application::Instance().CharacterSet(), OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                        DEFAULT_PITCH | FF_DONTCARE, design.face);
}

ScopedFont::~ScopedFont() {
    if (font_) DeleteObject(font_);
}
