#include "app/AboutPicture.h"

namespace {

// Colours 0 to 95 are the gradient's rows, 96 to 191 the same lightened for the bands, then
// three flat ones.
constexpr int Gradient = 96;
constexpr unsigned char White = 200, Shadow = 201, Accent = 202;
constexpr unsigned char Top[3] = {18, 32, 84}, Bottom[3] = {14, 118, 140};

// "Setup" in letters of 5 x 7 cells, a row a byte, the leftmost cell the highest bit.
constexpr unsigned char Letters[5][7] = {
    {0x0F, 0x10, 0x10, 0x0E, 0x01, 0x01, 0x1E},  // S
    {0x00, 0x00, 0x0E, 0x11, 0x1F, 0x10, 0x0F},  // e
    {0x08, 0x08, 0x1E, 0x08, 0x08, 0x09, 0x06},  // t
    {0x00, 0x00, 0x11, 0x11, 0x11, 0x13, 0x0D},  // u
    {0x00, 0x00, 0x1E, 0x11, 0x1E, 0x10, 0x10},  // p
};
constexpr int Cell = 8, LetterGap = 10;
constexpr int WordWidth = 5 * 5 * Cell + 4 * LetterGap;
constexpr int WordLeft = (AboutPictureWidth - WordWidth) / 2;
constexpr int WordTop = (AboutPictureHeight - (7 * Cell + 24)) / 2;
constexpr int Stride = (AboutPictureWidth + 3) & ~3;

struct Picture {
    BITMAPINFOHEADER header;
    RGBQUAD colours[256];
};

RGBQUAD Colour(int red, int green, int blue) {
    return {static_cast<BYTE>(blue), static_cast<BYTE>(green), static_cast<BYTE>(red), 0};
}

// `part` / `whole` of the way from `from` to `to`, rounded to the nearest: no channel of the
// picture falls on a half.
int Mix(int from, int to, int part, int whole) { return (2 * (from * whole + (to - from) * part) + whole) / (2 * whole); }

void FillPalette(RGBQUAD* colours) {
    for (int i = 0; i < Gradient; ++i) {
        int mixed[3], light[3];
        for (int c = 0; c < 3; ++c) {
            mixed[c] = Mix(Top[c], Bottom[c], i, Gradient - 1);
            // 16 % of the way to white.
            light[c] = Mix(mixed[c], 255, 16, 100);
        }
        colours[i] = Colour(mixed[0], mixed[1], mixed[2]);
        colours[Gradient + i] = Colour(light[0], light[1], light[2]);
    }
    colours[White] = Colour(255, 255, 255);
    colours[Shadow] = Colour(8, 16, 40);
    colours[Accent] = Colour(255, 168, 40);
}

void FillBlock(unsigned char* pixels, int left, int top, int width, int height, unsigned char colour) {
    for (int y = top; y < top + height; ++y)
        for (int x = left; x < left + width; ++x) pixels[y * Stride + x] = colour;
}

void DrawWord(unsigned char* pixels, int offset, unsigned char colour) {
    for (int n = 0; n < 5; ++n)
        for (int row = 0; row < 7; ++row)
            for (int column = 0; column < 5; ++column)
                if (Letters[n][row] >> (4 - column) & 1)
                    FillBlock(pixels, WordLeft + n * (5 * Cell + LetterGap) + column * Cell + offset,
                              WordTop + row * Cell + offset, Cell, Cell, colour);
}

}  // namespace

HBITMAP DrawAboutPicture() {
    Picture info{};
    // Rows from the top down.
    info.header = {sizeof info.header, AboutPictureWidth, -AboutPictureHeight, 1, 8, BI_RGB, 0, 0, 0, 256, 0};
    FillPalette(info.colours);
    void* bits = nullptr;
    HBITMAP picture =
        CreateDIBSection(nullptr, reinterpret_cast<const BITMAPINFO*>(&info), DIB_RGB_COLORS, &bits, nullptr, 0);
    if (!picture) return nullptr;
    auto* pixels = static_cast<unsigned char*>(bits);
    for (int y = 0; y < AboutPictureHeight; ++y) {
        const int shade = y * (Gradient - 1) / (AboutPictureHeight - 1);
        for (int x = 0; x < AboutPictureWidth; ++x) {
            // Two light diagonal bands across the right-hand side.
            const int d = x + y / 2;
            const bool band = (d >= 250 && d < 280) || (d >= 296 && d < 310);
            pixels[y * Stride + x] = static_cast<unsigned char>(band ? Gradient + shade : shade);
        }
    }
    DrawWord(pixels, 4, Shadow);
    DrawWord(pixels, 0, White);
    FillBlock(pixels, WordLeft, WordTop + 7 * Cell + 18, WordWidth, 6, Accent);
    return picture;
}
