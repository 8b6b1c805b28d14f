#include "toolkit/DisplayScale.h"

namespace {

int ReadSystemDpi() {
    HDC screen = GetDC(nullptr);
    const int dpi = screen ? GetDeviceCaps(screen, LOGPIXELSY) : 0;
    if (screen) ReleaseDC(nullptr, screen);
    return dpi > 0 ? dpi : USER_DEFAULT_SCREEN_DPI;
}

}  // namespace

// It does not change while the process runs: the platform scales for later changes itself.
int SystemDpi() {
    static const int dpi = ReadSystemDpi();
    return dpi;
}

DisplayScale DisplayScale::Fitting(int width, int height, SIZE room) {
    DisplayScale scale;
    // The smaller of two ratios a/b and c/d is the one with the smaller cross product.
    const auto shrinkTo = [&scale](int pixels, int design) {
        if (pixels > 0 && design > 0 && pixels * scale.design_ < scale.pixels_ * design) scale = {pixels, design};
    };
    shrinkTo(room.cx, width);
    shrinkTo(room.cy, height);
    return scale;
}

Bounds DisplayScale::ToPixels(const Bounds& design) const {
    return {ToPixels(design.left), ToPixels(design.top), ToPixels(design.width), ToPixels(design.height)};
}
