#include <gtest/gtest.h>

#include "toolkit/Edit.h"
#include "toolkit/Form.h"
#include "toolkit/Label.h"

namespace {

constexpr FormLayout ControlsLayout{"TControlsTestForm", "Controls", {10, 10, 300, 100}, FormBorder::Dialog, {}};

class ControlsForm : public Form {
public:
    ControlsForm() : Form(ControlsLayout) {}
};

}  // namespace

TEST(Label, AutoSizedLabelFollowsItsTextAndFixedOneKeepsItsBounds) {
    ControlsForm form;
    Label growing(form, {24, 29, 3, 11}, "", LabelAlign::Left, nullptr, true);
    Label fixed(form, {24, 16, 329, 11}, "Copying Program Name Support Files:");
    growing.SetCaption("C:\\Program Files\\Example\\editor.exe");
    const int longWidth = growing.GetBounds().width;
    EXPECT_GT(longWidth, 100);
    growing.SetCaption("a.b");
    EXPECT_LT(growing.GetBounds().width, longWidth);
    EXPECT_EQ(growing.GetBounds().left, 24);
    fixed.SetCaption("x");
    EXPECT_EQ(fixed.GetBounds().width, 329);
    char text[64];
    GetWindowTextA(growing.Handle(), text, sizeof text);
    EXPECT_STREQ(text, "a.b");
}

TEST(Edit, TextSetByCodeIsNotModifiedAndSelectAllSelectsEverything) {
    ControlsForm form;
    Edit edit(form, {56, 10, 233, 21});
    edit.SetText("C:\\Program Files\\Example");
    EXPECT_FALSE(edit.Modified());
    edit.SelectAll();
    EXPECT_EQ(edit.SelectedText(), "C:\\Program Files\\Example");
    // Typing marks the box as modified.
    SendMessageA(edit.Handle(), WM_CHAR, 'x', 0);
    EXPECT_TRUE(edit.Modified());
    EXPECT_EQ(edit.Text(), "x");
}

TEST(Edit, HoldsTextsLongerThanAnyPathBuffer) {
    ControlsForm form;
    Edit edit(form, {56, 10, 233, 21});
    const std::string longText(400, 'p');
    edit.SetText(longText);
    EXPECT_EQ(edit.Text(), longText);
}
