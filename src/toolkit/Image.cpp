#include "toolkit/Image.h"

#include "toolkit/Form.h"

Image::Image(Container& parent, const Bounds& bounds, HBITMAP picture)
    : Control(parent, "STATIC", SS_BITMAP, 0, bounds, "") {
    if (!picture) return;
    const Bounds pixels = OwnerForm().Scale().ToPixels(bounds);
    // A copy at the control's size, so the stretching is done once; the original goes with it.
    picture_ = static_cast<HBITMAP>(CopyImage(picture, IMAGE_BITMAP, pixels.width, pixels.height, LR_COPYDELETEORG));
    if (!picture_) {
        DeleteObject(picture);
        return;
    }
    SendMessageA(Handle(), STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(picture_));
}

// The static control does not own the bitmap it shows.
Image::~Image() {
    if (picture_) DeleteObject(picture_);
}
