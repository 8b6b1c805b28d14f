#include "common/JsonText.h"

std::string JsonMember(std::string_view name, const std::string& value) { return JsonString(std::string(name)) + ": " + value; }

std::string JsonNumber(int64_t number) { return std::to_string(number); }
