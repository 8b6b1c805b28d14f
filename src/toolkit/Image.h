#pragma once
#include "toolkit/Control.h"

// A fixed picture, stretched to the control once when it is given.
class Image : public Control {
public:
    // Takes `picture` (null shows nothing) and owns it from then on.
    Image(Container& parent, const Bounds& bounds, HBITMAP picture);
    ~Image();

    // The picture as shown; null when there is none.
    HBITMAP Picture() const { return picture_; }

private:
    HBITMAP picture_ = nullptr;
};
