#include "script/ScriptRules.h"

void CheckText(const CheckInput& input, Findings& findings) {
    const ProfileText& script = input.script;
    const std::string what = script.NotUtf8() ? "neither UTF-8 nor valid " + script.EncodingName()
                                              : "not valid " + script.EncodingName();
    for (const size_t line : script.InvalidLines())
        findings.push_back({line, Severity::Warning,
                            "bytes here are " + what +
                                ": they read as \"\xEF\xBF\xBD\" (--script-encoding names the encoding)"});
    for (const size_t line : script.CutLines())
        findings.push_back({line, Severity::Error, "a NUL byte cuts this line: setup reads nothing after it"});
}
