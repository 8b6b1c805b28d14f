#include "script/Finding.h"

#include <algorithm>

std::string FormatFinding(const std::string& file, const Finding& finding) {
    return file + ":" + std::to_string(finding.line) + ": " +
           (finding.severity == Severity::Error ? "error: " : "warning: ") + finding.message;
}

bool HasErrors(const Findings& findings) {
    return std::any_of(findings.begin(), findings.end(),
                       [](const Finding& finding) { return finding.severity == Severity::Error; });
}
