#include <gtest/gtest.h>

#include "app/AboutPicture.h"
#include "toolkit/Form.h"
#include "toolkit/Image.h"

namespace {

constexpr FormLayout PictureLayout{"TPictureTestForm", "Picture", {0, 0, 400, 200}, FormBorder::Dialog, {}};

COLORREF PixelAt(HBITMAP picture, int x, int y) {
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, picture);
    const COLORREF colour = GetPixel(dc, x, y);
    SelectObject(dc, old);
    DeleteDC(dc);
    return colour;
}

}  // namespace

// The drawing as the page shows it: the gradient's ends, a band, the lettering, its shadow and
// the bar under it.
TEST(AboutPicture, IsDrawnAndShownAtTheControlsSize) {
    Form form(PictureLayout);
    Image image(form, {18, 23, 382, 182}, DrawAboutPicture());
    ASSERT_TRUE(image.Picture());
    BITMAP info{};
    GetObjectA(image.Picture(), sizeof info, &info);
    EXPECT_EQ(info.bmWidth, 382);
    EXPECT_EQ(info.bmHeight, 182);
    EXPECT_EQ(reinterpret_cast<HBITMAP>(SendMessageA(image.Handle(), STM_GETIMAGE, IMAGE_BITMAP, 0)), image.Picture());
    EXPECT_EQ(PixelAt(image.Picture(), 0, 0), RGB(18, 32, 84));
    EXPECT_EQ(PixelAt(image.Picture(), 0, 181), RGB(14, 118, 140));
    EXPECT_EQ(PixelAt(image.Picture(), 260, 0), RGB(56, 68, 111));
    EXPECT_EQ(PixelAt(image.Picture(), 71 + 12, 51 + 3), RGB(255, 255, 255));
    EXPECT_EQ(PixelAt(image.Picture(), 113, 57), RGB(8, 16, 40));
    EXPECT_EQ(PixelAt(image.Picture(), 100, 127), RGB(255, 168, 40));
}

TEST(AboutPicture, NoPictureLeavesTheImageEmpty) {
    Form form(PictureLayout);
    Image image(form, {0, 0, 10, 10}, nullptr);
    EXPECT_FALSE(image.Picture());
}
