#pragma once
#include <string>

// Letters of the system code page folded to lower case as the platform folds them (the locale's
// rules, not only ASCII's), through kernel32's National Language Support: the window system stays
// unloaded.

// `text` in lower case; left as it is where its lower case would differ in length.
void FoldToLowerCase(std::string& text);

// Whether the one-byte letter `letter` has a one-byte lower case, put in `lower`.
bool FoldsToOneLetter(char letter, char& lower);
