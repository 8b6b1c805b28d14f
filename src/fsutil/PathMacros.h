#pragma once
#include <string>

// Replaces every "%%PROGPATH%%", "%%COMMONPATH%%", "%%INSTALLPATH%%", "%%WINDIR%%" and
// "%%WINSYS%%" in `source` by the matching directory of `Setup`, as it holds at the call.
// Tokens are matched literally and case-sensitively; inserted directories are not scanned
// again; any other "%" is copied as it stands. A result that would not fit a path buffer
// raises SetupError "Path too long: <result>".
std::string ExpandPathMacros(const std::string& source);
