#pragma once
#include <string>

// The printf placeholders of a text ("%s", "%02x", "%lu"; "%%" is none), which decide what is read
// from a message's arguments: a translation must take those of the English text, in its order.

// The next placeholder of `text` from `at` on, with `at` moved past it; empty at the end.
std::string NextPlaceholder(const char*& at);

// Whether `translation` takes the same placeholders as `english`, in the same order.
bool SamePlaceholders(const char* english, const char* translation);
