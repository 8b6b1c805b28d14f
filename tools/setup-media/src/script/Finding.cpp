#include "script/Finding.h"

#include <algorithm>
#include <cstdio>

namespace {

// Control characters of the script (an escape, a NUL, a CR) are shown, not sent to the terminal.
std::string Escaped(std::string_view text) {
    std::string shown;
    for (size_t i = 0; i < text.size(); ++i) {
        const auto byte = static_cast<unsigned char>(text[i]);
        const auto next = i + 1 < text.size() ? static_cast<unsigned char>(text[i + 1]) : 0;
        char code[8];
        if (byte < 0x20 || byte == 0x7F) {
            std::snprintf(code, sizeof code, "\\x%02X", byte);
            shown += code;
        } else if (byte == 0xC2 && next >= 0x80 && next <= 0x9F) {
            std::snprintf(code, sizeof code, "\\u%04X", next);
            shown += code;
            ++i;
        } else {
            shown += text[i];
        }
    }
    return shown;
}

}  // namespace

std::string FormatFinding(const std::string& file, const Finding& finding) {
    return file + ":" + std::to_string(finding.line) + ": " +
           (finding.severity == Severity::Error ? "error: " : "warning: ") + Escaped(finding.message);
}

bool HasErrors(const Findings& findings) {
    return std::any_of(findings.begin(), findings.end(),
                       [](const Finding& finding) { return finding.severity == Severity::Error; });
}
