#include "common/JsonText.h"

std::string JsonString(std::string_view text) {
    static constexpr char Digits[] = "0123456789abcdef";
    std::string json = "\"";
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            json += '\\';
            json += c;
        } else if (c == '\n') {
            json += "\\n";
        } else if (c == '\r') {
            json += "\\r";
        } else if (c == '\t') {
            json += "\\t";
        } else if (byte < 0x20 || byte == 0x7F) {
            json += "\\u00";
            json += Digits[byte >> 4];
            json += Digits[byte & 0xF];
        } else {
            json += c;
        }
    }
    return json + "\"";
}

std::string JsonMember(std::string_view name, const std::string& value) { return JsonString(name) + ": " + value; }

std::string JsonNumber(int64_t number) { return std::to_string(number); }
