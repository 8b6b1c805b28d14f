#include "toolkit/RowLayout.h"

#include "toolkit/Form.h"

namespace {

// The least room between two controls of a row, and between a row and the window's edges.
constexpr int RowGap = 4;

}  // namespace

void KeepRowApart(std::initializer_list<Control*> row) {
    int end = 0;
    Form* form = nullptr;
    for (Control* control : row) {
        Bounds bounds = control->GetBounds();
        if (bounds.left < end + RowGap) {
            bounds.left = end + RowGap;
            control->SetBounds(bounds);
        }
        end = bounds.left + bounds.width;
        form = &control->OwnerForm();
    }
    if (form) form->HoldWidth(end + RowGap);
}

void KeepBelow(const Control& above, Control& below) {
    const Bounds top = above.GetBounds();
    Bounds bounds = below.GetBounds();
    if (bounds.top >= top.top + top.height) return;
    bounds.top = top.top + top.height;
    below.SetBounds(bounds);
}
