#pragma once
#include <cstring>

// Names packed into one string one after another, each ended by its NUL (a list that is walked
// to its end by an empty name): a table of pointers to them would be one more pointer each for
// the loader to relocate.

// The name after `name` in its list.
inline const char* NextPackedName(const char* name) { return name + std::strlen(name) + 1; }

// The name at `index` (from 0) of `names`.
inline const char* PackedName(const char* names, int index) {
    for (; index > 0; --index) names = NextPackedName(names);
    return names;
}
