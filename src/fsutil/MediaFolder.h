#pragma once
#include <string>

// The setup media are the folder the running program was started from, wherever the current
// folder is: a deployment tool starts setup.exe by its full path from anywhere, and a folder
// that happens to be current may hold another package's files. The run takes that folder into
// `Setup.MediaDir` as it starts.

// The running program's own file.
std::string ProgramPath();
// The folder of the running program, ending in "\".
std::string ProgramFolder();
// The media file `name` (a bare name): `Setup.MediaDir` and the name.
std::string MediaPath(const std::string& name);
