#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
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

// The pixels a label paints with the window style it has now, column by column.
std::vector<COLORREF> Painted(const Label& label) {
    RECT area{};
    GetClientRect(label.Handle(), &area);
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, CreateBitmap(area.right, area.bottom, 1, 32, nullptr));
    SendMessageA(label.Handle(), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT | PRF_ERASEBKGND);
    std::vector<COLORREF> pixels;
    for (int x = 0; x < area.right; ++x)
        for (int y = 0; y < area.bottom; ++y) pixels.push_back(GetPixel(dc, x, y));
    DeleteObject(SelectObject(dc, old));
    DeleteDC(dc);
    return pixels;
}

}  // namespace

// A centred package name on the main window: a name that fits looks as it did when the label
// kept to one line; a longer one, which then ended in "..." at the edge, takes a second line, the
// label growing to hold it.
TEST(Label, ShowsANameThatFitsOnOneLineAndALongerOneOnMoreLines) {
    ControlsForm form;
    const FontSpec font{"Times New Roman", -32, true, true, RGB(255, 0, 0)};
    Label label(form, {24, 10, 377, 37}, "Some Application", LabelAlign::Center, &font);
    const LONG_PTR style = GetWindowLongPtrA(label.Handle(), GWL_STYLE);
    const auto paintedOnOneLine = [&] {
        SetWindowLongPtrA(label.Handle(), GWL_STYLE, style | SS_ENDELLIPSIS);
        const std::vector<COLORREF> pixels = Painted(label);
        SetWindowLongPtrA(label.Handle(), GWL_STYLE, style);
        return pixels;
    };
    EXPECT_TRUE(Painted(label) == paintedOnOneLine());
    RECT area{};
    GetClientRect(label.Handle(), &area);
    const LONG oneLine = area.bottom;
    label.SetCaption("Example Editor Professional Edition");
    GetClientRect(label.Handle(), &area);
    EXPECT_GT(area.bottom, oneLine);
    const std::vector<COLORREF> pixels = Painted(label);
    bool inkBelowFirstLine = false;
    for (size_t i = 0; i < pixels.size(); ++i)
        inkBelowFirstLine |= static_cast<LONG>(i % area.bottom) >= oneLine && pixels[i] != GetSysColor(COLOR_BTNFACE);
    EXPECT_TRUE(inkBelowFirstLine) << "no second line";
}

TEST(Label, AutoSizedLabelFollowsItsTextAndFixedOneKeepsItsBounds) {
    ControlsForm form;
    Label growing(form, {24, 29, 3, 11}, "", LabelAlign::Left, nullptr, LabelSizing::FitText);
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

// The install's current file: a label that grows with a longer name is painted anew whole, not
// only where it grew (which left the old text's ellipsis standing beside the new end).
TEST(Label, AGrowingLabelIsPaintedAnewWhole) {
    ControlsForm form;
    ShowWindow(form.Handle(), SW_SHOWNA);
    Label growing(form, {24, 29, 3, 11}, "", LabelAlign::Left, nullptr, LabelSizing::FitText);
    growing.SetCaption("C:\\Example\\readme.txt");
    UpdateWindow(form.Handle());
    growing.SetCaption("C:\\Program Files\\Example\\Data\\tool.dat");
    RECT client{}, update{};
    GetClientRect(growing.Handle(), &client);
    ASSERT_TRUE(GetUpdateRect(growing.Handle(), &update, FALSE));
    EXPECT_TRUE(EqualRect(&update, &client)) << update.left << ".." << update.right << " of " << client.right;
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

namespace {

// The width of `text` in the label's font, as the platform measures it.
int PlatformTextWidth(const Label& label, const wchar_t* text) {
    HDC dc = GetDC(label.Handle());
    HGDIOBJ old = SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageA(label.Handle(), WM_GETFONT, 0, 0)));
    SIZE extent{};
    GetTextExtentPoint32W(dc, text, lstrlenW(text), &extent);
    SelectObject(dc, old);
    ReleaseDC(label.Handle(), dc);
    return extent.cx;
}

int ShownWidth(const Label& label) {
    RECT area{};
    GetClientRect(label.Handle(), &area);
    return area.right;
}

}  // namespace

// A fixed caption grows from its layout bounds to its whole text (a centred one about its
// centre); text in UTF-8 is measured as the characters it holds, not as its bytes.
TEST(Label, FixedCaptionGrowsToItsWholeTextAndLabelsMeasureUtf8Text) {
    ControlsForm form;
    const char* greek = "\xCE\x95\xCE\xBB\xCE\xBB\xCE\xAC\xCE\xB4\xCE\xB1 \xCE\x95\xCE\xBB\xCE\xBB\xCE\xAC\xCE\xB4\xCE\xB1";
    const wchar_t* wideGreek = L"\u0395\u03BB\u03BB\u03AC\u03B4\u03B1 \u0395\u03BB\u03BB\u03AC\u03B4\u03B1";
    Label left(form, {8, 14, 20, 10}, greek, LabelAlign::Left, nullptr, LabelSizing::GrowToCaption);
    Label centred(form, {100, 40, 20, 10}, greek, LabelAlign::Center, nullptr, LabelSizing::GrowToCaption);
    Label wide(form, {8, 60, 280, 10}, "Install to:", LabelAlign::Left, nullptr, LabelSizing::GrowToCaption);
    Label fitted(form, {8, 80, 3, 10}, greek, LabelAlign::Left, nullptr, LabelSizing::FitText);
    const int textWidth = PlatformTextWidth(left, wideGreek);
    EXPECT_GT(textWidth, 40);
    EXPECT_GE(ShownWidth(left), textWidth);
    EXPECT_LE(ShownWidth(left), textWidth + 1);
    EXPECT_EQ(left.GetBounds().left, 8);
    EXPECT_EQ(ShownWidth(fitted), ShownWidth(left));
    const Bounds grown = centred.GetBounds();
    EXPECT_LE(std::abs(2 * grown.left + grown.width - (2 * 100 + 20)), 1) << "keeps its centre";
    EXPECT_EQ(wide.GetBounds().width, 280) << "a caption that fits keeps its bounds";
}
