#include "base/JsonString.h"

std::string JsonString(const std::string& text) {
    std::string quoted = "\"";
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            quoted += '\\';
            quoted += c;
        } else if (byte < 0x20) {
            // One form for every control character: any reader takes it, and it is short to write.
            quoted += "\\u00";
            quoted += "0123456789abcdef"[byte >> 4];
            quoted += "0123456789abcdef"[byte & 15];
        } else {
            quoted += c;
        }
    }
    return quoted + '"';
}
