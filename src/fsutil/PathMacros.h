#pragma once
#include <string>

#include "base/Status.h"

// `source` with its path macros (setupdata/MacroExpansion.h) replaced by the folders of `Setup`,
// as it holds them at the call. A result that would not fit a path buffer fails with
// "Path too long: <result>".
Result<std::string> ExpandPathMacros(const std::string& source);
