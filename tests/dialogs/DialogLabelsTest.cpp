#include <gtest/gtest.h>

#include <algorithm>

#include "dialogs/ChangeForm.h"
#include "dialogs/InstallForm.h"
#include "dialogs/LicenceForm.h"
#include "forms/ChangeFormLayout.h"
#include "forms/InstallFormLayout.h"
#include "forms/LicenceFormLayout.h"

namespace {

// Where the control stands on its form, as the platform has it.
Bounds ShownBounds(const Control& control) {
    RECT area{};
    GetWindowRect(control.Handle(), &area);
    MapWindowPoints(nullptr, GetParent(control.Handle()), reinterpret_cast<POINT*>(&area), 2);
    return {area.left, area.top, area.right - area.left, area.bottom - area.top};
}

enum class Anchor { Left, Centre };

// The label stands where the layout puts it (its left edge, or its centre for a centred label),
// at least as large, and shows its whole caption in its font, as the platform measures it.
void ExpectWholeCaptionAt(const Label& label, const Bounds& layout, Anchor anchor = Anchor::Left) {
    const Bounds shown = ShownBounds(label);
    if (anchor == Anchor::Left) {
        EXPECT_EQ(shown.left, layout.left);
    } else {
        EXPECT_NEAR(shown.left * 2 + shown.width, layout.left * 2 + layout.width, 1);
    }
    EXPECT_EQ(shown.top, layout.top);
    EXPECT_GE(shown.width, layout.width);
    EXPECT_GE(shown.height, layout.height);
    HDC dc = GetDC(label.Handle());
    HGDIOBJ old = SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageA(label.Handle(), WM_GETFONT, 0, 0)));
    SIZE text{};
    GetTextExtentPoint32A(dc, label.Caption().c_str(), static_cast<int>(label.Caption().size()), &text);
    SelectObject(dc, old);
    ReleaseDC(label.Handle(), dc);
    EXPECT_GE(shown.width, text.cx) << label.Caption();
}

}  // namespace

// At 96 DPI the dialogs' fixed captions take their layout positions and are shown whole, in
// whichever font stands for the layout's; a neighbour on the same row makes room.
TEST(DialogLabels, FixedCaptionsAreShownWholeAndTheirNeighboursMakeRoom) {
    TInstallForm install;
    ExpectWholeCaptionAt(install.Label1, InstallFormLayout::Label1);
    const Bounds label = ShownBounds(install.Label1);
    EXPECT_GE(ShownBounds(install.Edit1).left, std::max(label.left + label.width, InstallFormLayout::Edit1.left));
    TChangeForm chooser;
    ExpectWholeCaptionAt(chooser.Lable1, ChangeFormLayout::Lable1);
    TLicenceForm licence;
    ExpectWholeCaptionAt(licence.Label1, LicenceFormLayout::Label1, Anchor::Centre);
    EXPECT_EQ(ShownBounds(licence.Button1).top, LicenceFormLayout::Button1.top);
}
