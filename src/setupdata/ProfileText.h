#pragma once
#include <string>

#include "setupdata/EntryList.h"

// A profile file's section read from its text in memory (UTF-8), for content that was checked as
// it was read and must not be read again from the file, which may have changed since. Lines
// "name=value" of the section named `section` (letter case ignored), in file order, are appended
// to `entries`; the text is taken as the program writes it: no blanks around names or values.
void ReadSectionOfText(const std::string& content, const char* section, EntryList& entries);
