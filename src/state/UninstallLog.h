#pragma once
#include <string>

// Entries of the uninstall log. Each kind takes the next number of its own counter in
// `Setup` (dir1, dir2, ...), so the uninstaller finds them in the order they were made.
// A failed write raises SetupError "Unable to write to <path>".

// The key of a numbered entry: the prefix and the number (file1, dir2, ...).
std::string NumberedKey(const char* keyPrefix, int number);

// [Package] name
void LogPackageName(const std::string& name);
// [Directories] dir<n>
void LogDirectory(const std::string& path);
// [ProgramFiles] file<n>, for installed files and shortcut files alike
void LogFile(const std::string& path);
// [RegistryKeys] key<n>, the key text as the script gave it
void LogRegistryKey(const std::string& keyText);
