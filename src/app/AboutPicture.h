#pragma once
#include <windows.h>

// The About page's picture, 382 x 182 pixels of 256 colours: a blue-green gradient with two
// light bands and the word "Setup" over an orange bar. Drawn rather than stored: the drawing
// takes a tenth of the bytes of the bitmap in the program's file. Null when the system has no
// memory for it; the caller owns it.
HBITMAP DrawAboutPicture();

inline constexpr int AboutPictureWidth = 382;
inline constexpr int AboutPictureHeight = 182;
