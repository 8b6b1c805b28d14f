#include "toolkit/Image.h"

#include "toolkit/Application.h"
#include "toolkit/Form.h"

Image::Image(Container& parent, const Bounds& bounds, const char* resourceName, HMODULE module)
    : Control(parent, "STATIC", SS_BITMAP, 0, bounds, "") {
    HINSTANCE source = module ? module : Application::Instance().InstanceHandle();
    // Loading at the control's size lets the loader do the stretching once.
    const Bounds pixels = OwnerForm().Scale().ToPixels(bounds);
    picture_ = static_cast<HBITMAP>(
        LoadImageA(source, resourceName, IMAGE_BITMAP, pixels.width, pixels.height, LR_DEFAULTCOLOR));
    if (picture_) SendMessageA(Handle(), STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(picture_));
}

// The static control does not own the bitmap it shows.
Image::~Image() {
    if (picture_) DeleteObject(picture_);
}
