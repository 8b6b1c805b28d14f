#pragma once
#include <cstddef>
#include <string>

// Where the stand-in program keeps its slot for a payload's digest (the tag first), and how large
// its image is.
inline constexpr size_t StandInSlotAt = 0x300;
inline constexpr size_t StandInImageSize = 0x400;

// A Windows program of one section holding `marker` and an empty slot for a payload's digest,
// enough for the signing tools.
std::string StandInProgram(const std::string& marker);
