#pragma once
#include <windows.h>

#include "toolkit/DisplayScale.h"
#include "toolkit/Layout.h"

// Owns one GDI font made from a design-time font description, its height scaled as its window.
class ScopedFont {
public:
    ScopedFont() = default;
    ScopedFont(const FontSpec& design, const DisplayScale& scale);
    ~ScopedFont();
    ScopedFont(const ScopedFont&) = delete;
    ScopedFont& operator=(const ScopedFont&) = delete;

    HFONT Get() const { return font_; }
    // Makes the font again, at another scale; who holds the old handle takes the new one.
    void Remake(const FontSpec& design, const DisplayScale& scale);

private:
    HFONT font_ = nullptr;
};
