#pragma once
#include <string>

// The platform's Windows, System and Temp folders, at whatever length the platform gives them;
// the caller decides whether they fit.
std::string WindowsFolder();
std::string SystemFolder();
// Always ends in "\", so file names can be appended directly.
std::string TempFolderPath();
// The Windows folder's Temp, ending in "\": where an elevated run keeps what the user's own
// programs must not change.
std::string WindowsTempFolder();
// A folder of the user who runs setup, as the shell names it under its value `name` ("Local
// AppData", "AppData", "Programs", ...); empty when it names none. The user's own programs can
// point those values anywhere: an elevated run takes one only where it lies in the user's profile.
std::string UserShellFolder(const char* name);
// The profile folder of the account this run runs as, from the platform's list of profiles, which
// only administrators can change; empty when the list names none that can be trusted.
std::string UserProfileFolder();
