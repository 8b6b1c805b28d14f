#include <gtest/gtest.h>

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

void ExpectLayoutBounds(const Control& label, const Bounds& layout) {
    const Bounds shown = ShownBounds(label);
    EXPECT_EQ(shown.left, layout.left);
    EXPECT_EQ(shown.top, layout.top);
    EXPECT_EQ(shown.width, layout.width);
    EXPECT_EQ(shown.height, layout.height);
}

}  // namespace

// At 96 DPI the labels the layouts give fixed bounds keep them, whatever their text measures.
TEST(DialogLabels, KeepTheBoundsTheLayoutsGiveThem) {
    TInstallForm install;
    ExpectLayoutBounds(install.Label1, InstallFormLayout::Label1);
    TChangeForm chooser;
    ExpectLayoutBounds(chooser.Lable1, ChangeFormLayout::Lable1);
    TLicenceForm licence;
    ExpectLayoutBounds(licence.Label1, LicenceFormLayout::Label1);
}
