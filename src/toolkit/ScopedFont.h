#pragma once
#include <windows.h>

#include "toolkit/Layout.h"

// Owns one GDI font made from a design-time font description, its height scaled to the system DPI.
class ScopedFont {
public:
    ScopedFont() = default;
    explicit ScopedFont(const FontSpec& design);
    ~ScopedFont();
    ScopedFont(const ScopedFont&) = delete;
    ScopedFont& operator=(const ScopedFont&) = delete;

    HFONT Get() const { return font_; }

private:
    HFONT font_ = nullptr;
};
