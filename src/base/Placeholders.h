#pragma once
#include <string>

// The printf placeholders of a text ("%s", "%02x", "%lu"; "%%" is none), which decide what is read
// from a message's arguments: a translation must take those of the English text, in its order.

// Whether `translation` takes the same placeholders as `english`, in the same order.
bool SamePlaceholders(const char* english, const char* translation);

// The placeholders of `text` as they stand, with a blank between each two ("%s %d"); empty for none.
std::string PlaceholderList(const char* text);
