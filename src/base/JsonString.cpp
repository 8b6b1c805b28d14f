#include "base/JsonString.h"

void AppendJsonString(std::string& json, const std::string& text) {
    json += '"';
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            json += '\\';
            json += c;
        } else if (byte < 0x20) {
            // One form for every control character: any reader takes it, and it is short to write.
            json += "\\u00";
            json += "0123456789abcdef"[byte >> 4];
            json += "0123456789abcdef"[byte & 15];
        } else {
            json += c;
        }
    }
    json += '"';
}

std::string JsonString(const std::string& text) {
    std::string json;
    AppendJsonString(json, text);
    return json;
}
