#pragma once
#include <string>

// Text as a JSON string, quotes included. The text is UTF-8, which JSON carries as it is; only the
// quote, the backslash and control characters are escaped. setup.exe's plan and setup-media's
// documents both write through these. Taken by reference: a view costs setup.exe a copy at every
// call.

// Appends `text` as a JSON string to `json`.
void AppendJsonString(std::string& json, const std::string& text);

// `text` as a JSON string.
std::string JsonString(const std::string& text);
