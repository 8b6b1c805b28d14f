#pragma once
#include "toolkit/Layout.h"

// Layouts are designed at 96 dots per inch. The program tells the platform it follows the
// system DPI, so its windows are not stretched as a blurred picture; in return the toolkit
// scales every position, size and font height itself. At 96 every value stays as designed.

// The system's dots per inch, as the platform gives it to the program.
int SystemDpi();

// How one window's design lengths become pixels: by the system DPI over 96, or, for a window
// that would not then fit its screen, by as much less as it takes to fit.
class DisplayScale {
public:
    DisplayScale() = default;
    // The system DPI's scale, or less so that a client area of `width` by `height` (design
    // lengths) fits in `room` pixels.
    static DisplayScale Fitting(int width, int height, SIZE room);

    // A design length in pixels.
    int ToPixels(int designLength) const { return MulDiv(designLength, pixels_, design_); }
    Bounds ToPixels(const Bounds& design) const;
    // The design length that covers `pixels` (rounded up, so what was measured to fit still
    // fits when scaled back).
    int ToDesignLength(int pixels) const { return (pixels * design_ + pixels_ - 1) / pixels_; }

private:
    DisplayScale(int pixels, int design) : pixels_(pixels), design_(design) {}

    int pixels_ = SystemDpi();
    int design_ = USER_DEFAULT_SCREEN_DPI;
};
