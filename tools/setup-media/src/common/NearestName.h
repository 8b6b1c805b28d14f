#pragma once
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The name among `known` that `written` most likely misspells, without regard to case: one
// within a typing slip or two of it (a letter left out, added, changed or two swapped; more
// for a longer name), or one that begins with the other. Nothing when none is that near.
std::optional<std::string> NearestName(std::string_view written, const std::vector<std::string>& known);
