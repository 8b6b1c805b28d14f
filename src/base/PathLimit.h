#pragma once
#include <string>

#include "base/Status.h"

// Every path and registry key text of the run is held to the platform's path buffer: 259
// characters and the terminator. A longer one is never cut, because the cut text would name
// something else; the code that meets one refuses it in the way that fits where it stands.
inline constexpr size_t MaxPathLength = 259;

// The one test of that limit. It counts characters as the platform's buffer holds them, not
// the bytes of their UTF-8 form: 200 Chinese characters are 600 bytes and still a valid path.
// Every caller holds a string: taken by reference, no call copies a view of it to the stack.
bool FitsPathBuffer(const std::string& path);

// What the user is told of a path refused for its length: "Path too long: <path>".
std::string PathTooLongText(const std::string& path);

// Success when `path` fits; a failure with PathTooLongText otherwise.
Status RequireFittingPath(const std::string& path);
