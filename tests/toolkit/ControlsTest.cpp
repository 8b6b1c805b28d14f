#include <gtest/gtest.h>

#include <vector>

#include "toolkit/Edit.h"
#include "toolkit/Form.h"
#include "toolkit/Label.h"

namespace {

constexpr FormLayout ControlsLayout{"TControlsTestForm", "Controls", {10, 10, 300, 100}, FormBorder::Dialog, {}};

class ControlsForm : public Form {
public:
    ControlsForm() : Form(ControlsLayout) {}
};

// The pixels a label paints with the window style it has now, row by row.
std::vector<COLORREF> Painted(const Label& label) {
    RECT area{};
    GetClientRect(label.Handle(), &area);
    HDC screen = GetDC(nullptr);
    HDC dc = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, area.right, area.bottom);
    HGDIOBJ old = SelectObject(dc, bitmap);
    SendMessageA(label.Handle(), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT | PRF_ERASEBKGND);
    std::vector<COLORREF> pixels;
    for (int y = 0; y < area.bottom; ++y)
        for (int x = 0; x < area.right; ++x) pixels.push_back(GetPixel(dc, x, y));
    SelectObject(dc, old);
    DeleteObject(bitmap);
    DeleteDC(dc);
    ReleaseDC(nullptr, screen);
    return pixels;
}

// Whether the text reaches into the last `columns` columns of the label.
bool InkAtRightEdge(const std::vector<COLORREF>& pixels, int width, int columns) {
    for (size_t i = 0; i < pixels.size(); ++i)
        if (static_cast<int>(i % width) >= width - columns && pixels[i] != GetSysColor(COLOR_BTNFACE)) return true;
    return false;
}

}  // namespace

// A centred package name on the main window: as a wrapping label shows a name that fits, and
// on one line to the edge for one that does not.
TEST(Label, ShowsOneLineThatLooksAsBeforeWhenTheTextFits) {
    ControlsForm form;
    const FontSpec font{"Times New Roman", -32, true, true, RGB(255, 0, 0)};
    Label label(form, {24, 10, 377, 37}, "Some Application", LabelAlign::Center, &font);
    const LONG_PTR style = GetWindowLongPtrA(label.Handle(), GWL_STYLE);
    const auto paintedWrapping = [&] {
        SetWindowLongPtrA(label.Handle(), GWL_STYLE, style & ~SS_ELLIPSISMASK);
        const std::vector<COLORREF> pixels = Painted(label);
        SetWindowLongPtrA(label.Handle(), GWL_STYLE, style);
        return pixels;
    };
    EXPECT_TRUE(Painted(label) == paintedWrapping());
    label.SetCaption("Example Editor Professional Edition");
    EXPECT_TRUE(InkAtRightEdge(Painted(label), 377, 20));
    EXPECT_FALSE(InkAtRightEdge(paintedWrapping(), 377, 20)) << "wrapped, the first line ends short of the edge";
}

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
