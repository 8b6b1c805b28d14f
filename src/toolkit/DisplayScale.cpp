#include "toolkit/DisplayScale.h"

namespace {

constexpr int DesignDpi = USER_DEFAULT_SCREEN_DPI;

int ReadSystemDpi() {
    HDC screen = GetDC(nullptr);
    const int dpi = screen ? GetDeviceCaps(screen, LOGPIXELSY) : 0;
    if (screen) ReleaseDC(nullptr, screen);
    return dpi > 0 ? dpi : DesignDpi;
}

}  // namespace

// It does not change while the process runs: the platform scales for later changes itself.
int SystemDpi() {
    static const int dpi = ReadSystemDpi();
    return dpi;
}

int ToPixels(int designLength) { return MulDiv(designLength, SystemDpi(), DesignDpi); }

int ToDesignLength(int pixels) { return (pixels * DesignDpi + SystemDpi() - 1) / SystemDpi(); }

Bounds ToPixels(const Bounds& design) {
    return {ToPixels(design.left), ToPixels(design.top), ToPixels(design.width), ToPixels(design.height)};
}
