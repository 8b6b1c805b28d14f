#pragma once
#include <cstdint>
#include <string>
#include <string_view>

// Pieces of JSON text. The tool's text is UTF-8, which JSON carries as it is; only the quote, the
// backslash and control characters are escaped.

// `text` as a JSON string, quotes included.
std::string JsonString(std::string_view text);

// One member of an object, `"name": value`, where `value` is JSON text already.
std::string JsonMember(std::string_view name, const std::string& value);
std::string JsonNumber(int64_t number);
