#pragma once
#include <string>
#include <vector>

#include "base/Placeholders.h"
#include "base/TextId.h"

// Every text a person can see has a name (base/TextId.h, made from languages/en.txt). English is
// built in; a language file on the media (qupsetup-<language>.lng) gives the texts of another
// language, each used only when it takes the same placeholders as the English one, so a
// translation never decides what is read from a message's arguments.

// The text of `id` in the run's language.
const char* Text(TextId id);

// Puts the texts of a language file in place of the English ones, as far as they may stand: one
// whose placeholders differ from the English text's keeps the English one. The file is UTF-8: a
// first line "qupsetup-texts <catalog identity, 8 hex digits>", then one text a line in the
// catalog's order ("\n" a line break, "\\" a backslash). What was refused, a line each naming the
// file by `name`, for the run's log; a file of another catalog, or with another number of texts, is
// refused whole.
std::vector<std::string> UseLanguageFile(const std::string& content, const char* name);
