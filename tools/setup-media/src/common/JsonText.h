#pragma once
#include <cstdint>
#include <string>
#include <string_view>

#include "base/JsonString.h"

// Pieces of JSON text, around the strings of base/JsonString.h.

// One member of an object, `"name": value`, where `value` is JSON text already.
std::string JsonMember(std::string_view name, const std::string& value);
std::string JsonNumber(int64_t number);
