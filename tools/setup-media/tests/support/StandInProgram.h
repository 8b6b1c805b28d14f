#pragma once
#include <cstddef>
#include <string>

// A Windows program of one section holding `marker` and an empty slot for a payload's digest at
// SlotAt, enough for the one-file builder and the signing tools.
inline constexpr size_t SlotAt = 0x300;
inline constexpr size_t SlotSize = 8 + 64;

std::string StandInProgram(const std::string& marker);
