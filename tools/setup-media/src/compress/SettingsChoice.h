#pragma once
#include <span>

#include "compress/LzmaEncoder.h"

// The literal and position contexts that suit `data`, judged from its size and how much of it
// is text. Only the bytes decide, so every build chooses alike.
LzmaSettings SettingsFor(std::span<const unsigned char> data);
