#pragma once
#include "toolkit/Control.h"

// A fixed picture: a bitmap resource, stretched to the control when it is loaded.
class Image : public Control {
public:
    // `module` holds the resource; null means the program itself.
    Image(Container& parent, const Bounds& bounds, const char* resourceName, HMODULE module = nullptr);
    ~Image() override;

    // The picture as shown; null when the resource could not be loaded.
    HBITMAP Picture() const { return picture_; }

private:
    HBITMAP picture_ = nullptr;
};
