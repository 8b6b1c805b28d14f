#pragma once
#include <string>

// A value from the setup script or the uninstall log as a message quotes it: whole up to 100
// characters, else its first 100 and "...", so that one very long word cannot fill, or blank,
// the box it stands in.
std::string Quoted(const std::string& value);
