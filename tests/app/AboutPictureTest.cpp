#include <gtest/gtest.h>

#include "app/AboutPicture.h"
#include "support/TestFiles.h"
#include "toolkit/Form.h"
#include "toolkit/Image.h"

namespace {

constexpr FormLayout PictureLayout{"TPictureTestForm", "Picture", {0, 0, 400, 200}, FormBorder::Dialog, {}};

// setup.exe opened as data, for its resources.
class ProgramResources {
public:
    ProgramResources()
        : module_(LoadLibraryExA(WinePath(SETUP_EXE_UNIX_PATH).c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE)) {}
    ~ProgramResources() {
        if (module_) FreeLibrary(module_);
    }
    ProgramResources(const ProgramResources&) = delete;
    ProgramResources& operator=(const ProgramResources&) = delete;
    HMODULE Get() const { return module_; }

private:
    HMODULE module_;
};

COLORREF PixelAt(HBITMAP picture, int x, int y) {
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, picture);
    const COLORREF colour = GetPixel(dc, x, y);
    SelectObject(dc, old);
    DeleteDC(dc);
    return colour;
}

}  // namespace

TEST(AboutPicture, IsAStoredCompressed256ColourBitmapOfThePagesSize) {
    ProgramResources program;
    ASSERT_TRUE(program.Get());
    HRSRC found = FindResourceA(program.Get(), AboutPictureResource, MAKEINTRESOURCEA(2));  // RT_BITMAP
    ASSERT_TRUE(found);
    const auto* header = static_cast<const BITMAPINFOHEADER*>(LockResource(LoadResource(program.Get(), found)));
    EXPECT_EQ(header->biWidth, 382);
    EXPECT_EQ(header->biHeight, 182);
    EXPECT_EQ(header->biBitCount, 8);
    EXPECT_EQ(header->biClrUsed, 256u);
    EXPECT_EQ(header->biCompression, static_cast<DWORD>(BI_RLE8));
    EXPECT_LT(SizeofResource(program.Get(), found), 8000u);
}

TEST(AboutPicture, IsLoadedAndShownAtTheControlsSize) {
    ProgramResources program;
    Form form(PictureLayout);
    Image image(form, {18, 23, 382, 182}, AboutPictureResource, program.Get());
    ASSERT_TRUE(image.Picture());
    BITMAP info{};
    GetObjectA(image.Picture(), sizeof info, &info);
    EXPECT_EQ(info.bmWidth, 382);
    EXPECT_EQ(info.bmHeight, 182);
    EXPECT_EQ(reinterpret_cast<HBITMAP>(SendMessageA(image.Handle(), STM_GETIMAGE, IMAGE_BITMAP, 0)), image.Picture());
    // The compressed rows were decoded: the gradient's ends and the white lettering.
    EXPECT_EQ(PixelAt(image.Picture(), 0, 0), RGB(18, 32, 84));
    EXPECT_EQ(PixelAt(image.Picture(), 0, 181), RGB(14, 118, 140));
    EXPECT_EQ(PixelAt(image.Picture(), 71 + 12, 51 + 3), RGB(255, 255, 255));
}

TEST(AboutPicture, MissingResourceLeavesTheImageEmpty) {
    Form form(PictureLayout);
    Image image(form, {0, 0, 10, 10}, "NO_SUCH_PICTURE");
    EXPECT_FALSE(image.Picture());
}
