#pragma once

// The resource name of the About page's picture (a 382 x 182, 256-colour bitmap).
inline constexpr const char* AboutPictureResource = "ABOUT";
