#pragma once
#include <ostream>
#include <string>
#include <vector>

// Exit codes, so that scripts can rely on them.
inline constexpr int ExitDone = 0;
inline constexpr int ExitWarnings = 1;
inline constexpr int ExitErrors = 2;

// Runs the command line (without the program's name): results to `out`, findings of a build,
// notes and failures to `err`.
int RunSetupMedia(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err);
