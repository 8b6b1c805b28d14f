#pragma once
#include <filesystem>
#include <string>

// A package of one disk whose folder line takes a folder tree: app.exe, and Data\** (installed
// into the install folder's Data), which holds two files named readme.txt of different content in
// different folders, a file three folders down and an empty folder:
//   app.exe, Data/readme.txt, Data/empty/, Data/set2/readme.txt, Data/set2/deep/item.dat
// Its script has a shortcut to app.exe on the desktop, and no licence.
inline constexpr const char* TreePackageName = "Tree Notes";

void WriteTreePackage(const std::filesystem::path& folder);
