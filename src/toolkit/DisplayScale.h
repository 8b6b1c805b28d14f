#pragma once
#include "toolkit/Layout.h"

// Layouts are designed at 96 dots per inch. The program tells the platform it follows the
// system DPI, so its windows are not stretched as a blurred picture; in return the toolkit
// scales every position, size and font height itself. At 96 every value stays as designed.

// The system's dots per inch, as the platform gives it to the program.
int SystemDpi();
// A design length, in pixels at the system DPI.
int ToPixels(int designLength);
// The design length that covers `pixels` at the system DPI (rounded up, so what was measured
// to fit still fits when scaled back).
int ToDesignLength(int pixels);
Bounds ToPixels(const Bounds& design);
